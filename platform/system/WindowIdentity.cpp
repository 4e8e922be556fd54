#include "platform/system/WindowIdentity.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>
#include <xcb/xproto.h>

namespace platform {

void SetWindowClass(QWidget* window, const QString& instanceName, const QString& className)
{
    if (!window || !window->isWindow())
        return;
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window->testAttribute(Qt::WA_WState_Created))
        return;
    QByteArray value = instanceName.toUtf8();
    value.append('\0');
    value.append(className.toUtf8());
    value.append('\0');
    xcb_connection_t* connection = x11->connection();
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()),
                        XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8, uint32_t(value.size()), value.constData());
    xcb_flush(connection);
}

}  // namespace platform
