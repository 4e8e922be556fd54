#include "platform/com/WindowMessage.h"

#include <QCoreApplication>

namespace com {

QEvent::Type WindowMessageEvent::type()
{
    static const auto registered = QEvent::Type(QEvent::registerEventType());
    return registered;
}

void postMessage(QObject* target, uint32_t message, intptr_t wParam, intptr_t lParam)
{
    if (target)
        QCoreApplication::postEvent(target, new WindowMessageEvent(message, wParam, lParam));
}

}  // namespace com
