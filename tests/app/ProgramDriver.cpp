// X11 window listing and closing for the tests that drive the real program.
#include "ProgramDriver.h"

#include "support/TestSupport.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace programdriver {
namespace {

template <class T>
using XcbReply = std::unique_ptr<T, decltype(&free)>;

xcb_connection_t* Connection()
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name)
{
    XcbReply<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr), &free);
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Each top-level window with its caption; with `dialogsOf`, only the dialogs on screen of that
// process.
std::vector<std::pair<xcb_window_t, QString>> TopLevels(xcb_connection_t* c, qint64 dialogsOf = 0)
{
    const bool dialogs = dialogsOf != 0;
    const xcb_atom_t netWmPid = Atom(c, "_NET_WM_PID");
    std::vector<std::pair<xcb_window_t, QString>> windows;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_atom_t netWmName = Atom(c, "_NET_WM_NAME");
    const xcb_atom_t type = Atom(c, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t dialog = Atom(c, "_NET_WM_WINDOW_TYPE_DIALOG");
    XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, screen->root), nullptr), &free);
    if (!tree)
        return windows;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (dialogs) {
            XcbReply<xcb_get_window_attributes_reply_t> attributes(
                xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr), &free);
            XcbReply<xcb_get_property_reply_t> types(
                xcb_get_property_reply(c, xcb_get_property(c, 0, children[i], type, XCB_ATOM_ATOM, 0, 16), nullptr),
                &free);
            XcbReply<xcb_get_property_reply_t> owner(
                xcb_get_property_reply(c, xcb_get_property(c, 0, children[i], netWmPid, XCB_ATOM_CARDINAL, 0, 1), nullptr),
                &free);
            if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE || !types || !owner
                || xcb_get_property_value_length(owner.get()) != 4
                || *static_cast<const uint32_t*>(xcb_get_property_value(owner.get())) != uint32_t(dialogsOf))
                continue;
            const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(types.get()));
            const int count = xcb_get_property_value_length(types.get()) / int(sizeof(xcb_atom_t));
            if (std::find(atoms, atoms + count, dialog) == atoms + count)
                continue;
        }
        XcbReply<xcb_get_property_reply_t> name(
            xcb_get_property_reply(c, xcb_get_property(c, 0, children[i], netWmName, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
                                   nullptr),
            &free);
        if (name && xcb_get_property_value_length(name.get()) > 0)
            windows.emplace_back(children[i],
                                 QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(name.get())),
                                                   xcb_get_property_value_length(name.get())));
    }
    return windows;
}

}  // namespace

QStringList WindowCaptions()
{
    QStringList captions;
    if (xcb_connection_t* c = Connection())
        for (const auto& [window, caption] : TopLevels(c))
            captions << caption;
    return captions;
}

QStringList DialogCaptions(qint64 pid)
{
    QStringList captions;
    if (xcb_connection_t* c = Connection())
        for (const auto& [window, caption] : TopLevels(c, pid))
            captions << caption;
    return captions;
}

int CloseDialogs(qint64 pid)
{
    xcb_connection_t* c = Connection();
    if (!c)
        return 0;
    const xcb_atom_t protocols = Atom(c, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = Atom(c, "WM_DELETE_WINDOW");
    int asked = 0;
    for (const auto& [window, name] : TopLevels(c, pid)) {
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = protocols;
        event.data.data32[0] = deleteWindow;
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
        ++asked;
    }
    xcb_flush(c);
    return asked;
}

Program::Program(const QStringList& arguments)
{
    // A settings folder as a first start left it: the default drive is the generated disc, so no
    // first-start question stands in the way.
    testsupport::prepareSettings(home_.path(), testsupport::media("dvd"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VISTREL_HOME", home_.path());
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    process_.start(testsupport::binDir() + "/vistrel", arguments);
    process_.waitForStarted();
}

Program::~Program()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000)) {
        process_.kill();
        process_.waitForFinished();
    }
}

}  // namespace programdriver
