// The quit signals: a self-pipe written by the handler, read by a socket notifier on the UI thread.
#include "platform/system/QuitSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
volatile sig_atomic_t g_writeEnd = -1;

extern "C" void OnQuitSignal(int signal)
{
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    if (g_writeEnd >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(g_writeEnd, &number, 1);
    }
    errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(std::function<void(int)> quit, QObject* parent)
    : QObject(parent)
    , quit_(std::move(quit))
{
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipe_[0] = pipe_[1] = -1;
        return;
    }
    g_writeEnd = pipe_[1];
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Arrived(); });
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    installed_ = true;
    for (int signal : kSignals)
        installed_ = ::sigaction(signal, &action, nullptr) == 0 && installed_;
}

QuitSignals::~QuitSignals()
{
    if (pipe_[1] >= 0) {
        struct sigaction action {};
        action.sa_handler = SIG_DFL;
        sigemptyset(&action.sa_mask);
        for (int signal : kSignals)
            ::sigaction(signal, &action, nullptr);
        g_writeEnd = -1;
    }
    notifier_.reset();
    for (int& end : pipe_) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

void QuitSignals::Arrived()
{
    unsigned char number = 0;
    int last = 0;
    while (::read(pipe_[0], &number, 1) == 1)
        last = number;
    if (last && quit_)
        quit_(last);
}

}  // namespace platform
