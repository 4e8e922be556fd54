#include "controls/TaskbarButton.h"

#include <QGuiApplication>
#include <QWidget>
#include <xcb/xcb.h>

#include <cstring>
#include <memory>

namespace {

constexpr char kSkipProperty[] = "vistrelSkipTaskbar";

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr), &free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

}  // namespace

void SetTaskbarButtonVisible(QWidget* window, bool visible)
{
    if (!window)
        return;
    window->setProperty(kSkipProperty, !visible);
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || !window->windowHandle() || !window->testAttribute(Qt::WA_WState_Created))
        return;
    const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    const xcb_atom_t skip = atom(c, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;
    const auto win = xcb_window_t(window->winId());
    // A mapped window's state belongs to the window manager: ask it (EWMH client message). An
    // unmapped one carries the state in its own property, read when it is mapped.
    if (window->isVisible()) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = win;
        ev.type = state;
        ev.data.data32[0] = visible ? 0 : 1;  // remove / add
        ev.data.data32[1] = skip;
        ev.data.data32[3] = 1;  // from a normal application
        xcb_send_event(c, 0, screen->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&ev));
    } else if (visible) {
        xcb_delete_property(c, win, state);
    } else {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, win, state, XCB_ATOM_ATOM, 32, 1, &skip);
    }
    xcb_flush(c);
}

bool TaskbarButtonVisible(const QWidget* window)
{
    return !window || !window->property(kSkipProperty).toBool();
}
