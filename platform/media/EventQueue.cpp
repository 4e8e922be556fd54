#include "platform/media/EventQueue.h"

#include "platform/com/WindowMessage.h"

#include <QCoreApplication>

#include <chrono>

namespace media {

EventQueue::EventQueue() : wake_([this] { deliver(); }) {}

EventQueue::~EventQueue() = default;

void EventQueue::putEvent(Event event)
{
    std::lock_guard lock(mutex_);
    if (flags_ == AM_MEDIAEVENT_NONOTIFY)
        return;
    // A source that floods the queue (a disc failing block after block) while nobody drains it
    // must not eat the memory: past the bound, new events are dropped.
    if (events_.size() >= kMaxWaiting) {
        ++dropped_;
        return;
    }
    events_.push_back(std::move(event));
    arrived_.notify_all();
    if (hasWindow_)
        wake_.wake();
}

void EventQueue::put(int32_t code, LONG_PTR param1, LONG_PTR param2)
{
    putEvent(Event{code, param1, param2, {}});
}

void EventQueue::putEndOfSegment(int64_t streamTime, uint32_t segment)
{
    auto time = std::make_shared<int64_t>(streamTime);
    const auto p1 = reinterpret_cast<LONG_PTR>(time.get());
    putEvent(Event{EC_END_OF_SEGMENT, p1, LONG_PTR(segment), {{p1, time}}});
}

void EventQueue::putOleEvent(const QString& text1, const QString& text2)
{
    auto s1 = std::make_shared<std::u16string>(reinterpret_cast<const char16_t*>(text1.utf16()), text1.size());
    auto s2 = std::make_shared<std::u16string>(reinterpret_cast<const char16_t*>(text2.utf16()), text2.size());
    const auto p1 = reinterpret_cast<LONG_PTR>(s1->c_str());
    const auto p2 = reinterpret_cast<LONG_PTR>(s2->c_str());
    putEvent(Event{EC_OLE_EVENT, p1, p2, {{p1, s1}, {p2, s2}}});
}

void EventQueue::clear()
{
    std::lock_guard lock(mutex_);
    events_.clear();
}

void EventQueue::deliver()
{
    QObject* window = window_;
    uint32_t message = 0;
    LONG_PTR instance = 0;
    {
        std::lock_guard lock(mutex_);
        if (!window || !hasWindow_)
            return;
        message = message_;
        instance = instanceData_;
    }
    com::WindowMessageEvent notice(message, 0, instance);
    QCoreApplication::sendEvent(window, &notice);
}

HRESULT EventQueue::GetEvent(int32_t& code, LONG_PTR& param1, LONG_PTR& param2, int32_t msTimeout)
{
    std::unique_lock lock(mutex_);
    if (events_.empty() && msTimeout != 0) {
        auto ready = [this] { return !events_.empty(); };
        if (msTimeout < 0)
            arrived_.wait(lock, ready);
        else
            arrived_.wait_for(lock, std::chrono::milliseconds(msTimeout), ready);
    }
    if (events_.empty()) {
        code = 0;
        param1 = param2 = 0;
        return E_ABORT;
    }
    Event e = std::move(events_.front());
    events_.pop_front();
    code = e.code;
    param1 = e.param1;
    param2 = e.param2;
    for (auto& [key, data] : e.owned)
        handedOut_.emplace(key, std::move(data));
    return S_OK;
}

HRESULT EventQueue::FreeEventParams(int32_t, LONG_PTR param1, LONG_PTR param2)
{
    std::lock_guard lock(mutex_);
    handedOut_.erase(param1);
    handedOut_.erase(param2);
    return S_OK;
}

HRESULT EventQueue::SetNotifyWindow(QObject* window, uint32_t message, LONG_PTR instanceData)
{
    window_ = window;
    std::lock_guard lock(mutex_);
    hasWindow_ = window != nullptr;
    message_ = message;
    instanceData_ = instanceData;
    if (hasWindow_ && !events_.empty())
        wake_.wake();
    return S_OK;
}

HRESULT EventQueue::SetNotifyFlags(int32_t flags)
{
    if (flags != 0 && flags != AM_MEDIAEVENT_NONOTIFY)
        return E_INVALIDARG;
    std::lock_guard lock(mutex_);
    flags_ = flags;
    if (flags_ == AM_MEDIAEVENT_NONOTIFY)
        events_.clear();
    return S_OK;
}

HRESULT EventQueue::GetNotifyFlags(int32_t& flags)
{
    std::lock_guard lock(mutex_);
    flags = flags_;
    return S_OK;
}

}  // namespace media
