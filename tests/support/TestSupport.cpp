#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <xcb/xcb.h>

#include <algorithm>
#include <memory>

namespace testsupport {

QString mediaDir()
{
    return qEnvironmentVariable("VISTREL_MEDIA");
}

QString media(const QString& relative)
{
    return QDir(mediaDir()).filePath(relative);
}

QString binDir()
{
    return qEnvironmentVariable("VISTREL_BIN");
}

QString prepareSettings(const QString& folder, const QString& drive)
{
    QDir().mkpath(folder);
    QFile config(folder + QStringLiteral("/config.dat"));
    if (config.open(QIODevice::WriteOnly))
        config.write(drive.toLocal8Bit() + "\r\n");
    return folder + QLatin1Char('/');
}

void pumpFor(std::chrono::milliseconds time)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < time.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
}

int timeScale()
{
    static const int scale = std::max(1, qEnvironmentVariableIntValue("VISTREL_TEST_TIME_SCALE"));
    return scale;
}

bool waitFor(const std::function<bool()>& pred, std::chrono::milliseconds timeout)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > timeout.count() * timeScale())
            return pred();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

bool haveX11()
{
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

QByteArray x11Property(const QWidget* window, const char* property)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window)
        return {};
    xcb_connection_t* c = x11->connection();
    auto atomOf = [c](const char* name) {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> r(
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr), &free);
        return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    };
    const xcb_atom_t atom = atomOf(property);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, xcb_window_t(window->winId()), atom,
                                                   XCB_GET_PROPERTY_TYPE_ANY, 0, 4096), nullptr),
        &free);
    if (!reply)
        return {};
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return QByteArray(data, xcb_get_property_value_length(reply.get()));
}

QStringList windowCaptions(qint64 pid)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return {};
    xcb_connection_t* c = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    auto atomOf = [c](const char* name) {
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> r(
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr), &free);
        return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    };
    const xcb_atom_t netWmName = atomOf("_NET_WM_NAME");
    const xcb_atom_t netWmPid = atomOf("_NET_WM_PID");
    auto property = [c](xcb_window_t window, xcb_atom_t atom) {
        return std::unique_ptr<xcb_get_property_reply_t, decltype(&free)>(
            xcb_get_property_reply(c, xcb_get_property(c, 0, window, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr),
            &free);
    };
    QStringList captions;
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, screen->root), nullptr), &free);
    if (!tree)
        return captions;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (pid) {
            const auto owner = property(children[i], netWmPid);
            if (!owner || xcb_get_property_value_length(owner.get()) != 4
                || *static_cast<const uint32_t*>(xcb_get_property_value(owner.get())) != uint32_t(pid))
                continue;
        }
        const auto name = property(children[i], netWmName);
        if (name && xcb_get_property_value_length(name.get()) > 0)
            captions << QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(name.get())),
                                          xcb_get_property_value_length(name.get()));
    }
    return captions;
}

}  // namespace testsupport
