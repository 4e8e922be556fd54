/* Watches the X screen for a colour: the benchmark script's eye on what the user sees.
 *
 *   screen-watch RRGGBB MINPIXELS TIMEOUT_MS [-- PROGRAM ARGS...]
 *
 * With a program: starts it (fork, exec, its output thrown away) and prints "PID MS" once at least
 * MINPIXELS samples of the screen are within a small distance of the colour, MS counted from just
 * before exec; the program keeps running. Without one: prints "MS" counted from the start of the
 * watch. MS is -1 on timeout. The screen is sampled once per 4 x 4 block, every 4 ms or so, read
 * through shared memory when the server offers it. */
#define _XOPEN_SOURCE 700
#include <fcntl.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static int near(unsigned long pixel, int r, int g, int b)
{
    const int tol = 48;  // players differ in their colour conversion of the same picture
    const int pr = (int)((pixel >> 16) & 0xff), pg = (int)((pixel >> 8) & 0xff), pb = (int)(pixel & 0xff);
    return abs(pr - r) <= tol && abs(pg - g) <= tol && abs(pb - b) <= tol;
}

int main(int argc, char** argv)
{
    if (argc < 4) {
        fprintf(stderr, "usage: %s RRGGBB MINPIXELS TIMEOUT_MS [-- PROGRAM ARGS...]\n", argv[0]);
        return 2;
    }
    const unsigned long colour = strtoul(argv[1], NULL, 16);
    const int r = (int)((colour >> 16) & 0xff), g = (int)((colour >> 8) & 0xff), b = (int)(colour & 0xff);
    const int minPixels = atoi(argv[2]);
    const double timeout = atof(argv[3]);
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "screen-watch: no display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, root, &attributes);

    pid_t child = 0;
    const double start = now_ms();
    if (argc > 5 && strcmp(argv[4], "--") == 0) {
        child = fork();
        if (child == 0) {
            const int null = open("/dev/null", O_RDWR);
            dup2(null, 1);
            dup2(null, 2);
            execvp(argv[5], argv + 5);
            _exit(127);
        }
    }
    // The screen is read through shared memory where the server offers it: a plain XGetImage of a
    // whole screen costs tens of milliseconds here, which would both coarsen the figure and take
    // the server's time from the player being measured.
    XShmSegmentInfo segment = {0};
    XImage* shared = NULL;
    if (XShmQueryExtension(display)) {
        const int screen = DefaultScreen(display);
        shared = XShmCreateImage(display, DefaultVisual(display, screen), (unsigned)DefaultDepth(display, screen),
                                 ZPixmap, NULL, &segment, (unsigned)attributes.width, (unsigned)attributes.height);
        if (shared) {
            segment.shmid = shmget(IPC_PRIVATE, (size_t)shared->bytes_per_line * (size_t)shared->height, IPC_CREAT | 0600);
            segment.shmaddr = shared->data = segment.shmid >= 0 ? shmat(segment.shmid, NULL, 0) : (char*)-1;
            segment.readOnly = False;
            if (segment.shmaddr == (char*)-1 || !XShmAttach(display, &segment)) {
                XDestroyImage(shared);
                shared = NULL;
            }
            XSync(display, False);
            if (segment.shmid >= 0)
                shmctl(segment.shmid, IPC_RMID, NULL);  // gone once both sides detach
        }
    }
    double seen = -1;
    while (now_ms() - start < timeout) {
        XImage* image = NULL;
        if (shared)
            image = XShmGetImage(display, root, shared, 0, 0, AllPlanes) ? shared : NULL;
        else
            image = XGetImage(display, root, 0, 0, (unsigned)attributes.width, (unsigned)attributes.height,
                              AllPlanes, ZPixmap);
        int count = 0;
        if (image) {
            for (int y = 0; y < image->height && count < minPixels; y += 4)
                for (int x = 0; x < image->width; x += 4)
                    if (near(XGetPixel(image, x, y), r, g, b))
                        ++count;
            if (image != shared)
                XDestroyImage(image);
        }
        if (count >= minPixels) {
            seen = now_ms() - start;
            break;
        }
        const struct timespec pause = {0, 4000000};
        nanosleep(&pause, NULL);
    }
    if (child > 0)
        printf("%d %.0f\n", (int)child, seen);
    else
        printf("%.0f\n", seen);
    if (shared) {
        XShmDetach(display, &segment);
        XDestroyImage(shared);
        shmdt(segment.shmaddr);
    }
    XCloseDisplay(display);
    return 0;
}
