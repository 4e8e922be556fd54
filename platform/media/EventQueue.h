#pragma once
// The graph's event queue behind IMediaEventEx. Events are put from any thread; while
// notifications are on and a notify window is set, each put sends the notify message on the UI
// thread, where the owner drains the queue with GetEvent. Parameters that point to data (the
// 64-bit time of EC_END_OF_SEGMENT, the texts of EC_OLE_EVENT) stay valid until FreeEventParams.
//
// The platform threads never touch the owner's window: they wake the UI thread, which hands the
// message on to whatever window is set when the wake-up arrives.
#include "platform/media/Types.h"
#include "platform/system/UiWakeUp.h"

#include <QPointer>
#include <QString>

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

class QObject;

namespace media {

class EventQueue {
public:
    EventQueue();  // on the UI thread
    ~EventQueue();
    EventQueue(const EventQueue&) = delete;
    // At most this many events wait to be drained; later ones are dropped.
    static constexpr size_t kMaxWaiting = 1024;
    EventQueue& operator=(const EventQueue&) = delete;

    void put(int32_t code, LONG_PTR param1, LONG_PTR param2);
    void putEndOfSegment(int64_t streamTime, uint32_t segment);
    void putOleEvent(const QString& text1, const QString& text2);
    // Drops the waiting events (parameters already handed out stay valid until freed).
    void clear();
    // How many events the bound has dropped so far.
    size_t dropped()
    {
        std::lock_guard lock(mutex_);
        return dropped_;
    }

    HRESULT GetEvent(int32_t& code, LONG_PTR& param1, LONG_PTR& param2, int32_t msTimeout);
    HRESULT FreeEventParams(int32_t code, LONG_PTR param1, LONG_PTR param2);
    HRESULT SetNotifyWindow(QObject* window, uint32_t message, LONG_PTR instanceData);
    HRESULT SetNotifyFlags(int32_t flags);
    HRESULT GetNotifyFlags(int32_t& flags);

private:
    struct Event {
        int32_t code;
        LONG_PTR param1;
        LONG_PTR param2;
        std::vector<std::pair<LONG_PTR, std::shared_ptr<void>>> owned;  // what the parameters point to
    };
    void putEvent(Event event);
    void deliver();  // UI thread: a wake-up arrived

    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<Event> events_;                                // protected by mutex_
    std::multimap<LONG_PTR, std::shared_ptr<void>> handedOut_;  // protected by mutex_
    QPointer<QObject> window_;                                // UI thread
    bool hasWindow_ = false;                                  // protected by mutex_
    uint32_t message_ = WM_GRAPHNOTIFY;                       // protected by mutex_
    LONG_PTR instanceData_ = 0;                               // protected by mutex_
    int32_t flags_ = 0;                                       // protected by mutex_
    size_t dropped_ = 0;                                      // protected by mutex_
    platform::UiWakeUp wake_;                                 // last: gone before the rest
};

}  // namespace media
