#pragma once
// Window messages as Qt events: a platform thread posts a message to a hidden QObject that lives
// on the UI thread, and the UI thread handles it in turn with the rest of its queue.
#include <QEvent>

#include <cstdint>

class QObject;

namespace com {

class WindowMessageEvent : public QEvent {
public:
    WindowMessageEvent(uint32_t message, intptr_t wParam, intptr_t lParam)
        : QEvent(type()), message(message), wParam(wParam), lParam(lParam)
    {
    }
    static QEvent::Type type();

    const uint32_t message;
    const intptr_t wParam;
    const intptr_t lParam;
};

// Posts the message to `target` (thread-safe; the target must outlive the call).
void postMessage(QObject* target, uint32_t message, intptr_t wParam, intptr_t lParam);

}  // namespace com
