#include "platform/media/GraphControlBases.h"

#include "platform/media/VideoRendererWindow.h"

namespace media {

// Every window call needs the renderer window, which exists while the graph shows pictures.
#define VISTREL_NEED_WINDOW                        \
    VideoRendererWindow* window = rendererWindow(); \
    if (!window)                                   \
        return E_NOINTERFACE;

HRESULT RendererWindowControl::put_Owner(QWidget* owner)
{
    VISTREL_NEED_WINDOW
    window->setOwner(owner);
    return S_OK;
}

HRESULT RendererWindowControl::get_Owner(QWidget*& owner)
{
    VISTREL_NEED_WINDOW
    owner = window->owner();
    return S_OK;
}

HRESULT RendererWindowControl::put_Caption(const QString& caption)
{
    VISTREL_NEED_WINDOW
    window->setWindowTitle(caption);
    return S_OK;
}

HRESULT RendererWindowControl::get_Caption(QString& caption)
{
    VISTREL_NEED_WINDOW
    caption = window->windowTitle();
    return S_OK;
}

HRESULT RendererWindowControl::put_WindowStyle(uint32_t style)
{
    VISTREL_NEED_WINDOW
    window->setStyles(style, window->styleEx());
    return S_OK;
}

HRESULT RendererWindowControl::get_WindowStyle(uint32_t& style)
{
    VISTREL_NEED_WINDOW
    style = window->style();
    return S_OK;
}

HRESULT RendererWindowControl::put_WindowStyleEx(uint32_t styleEx)
{
    VISTREL_NEED_WINDOW
    window->setStyles(window->style(), styleEx);
    return S_OK;
}

HRESULT RendererWindowControl::get_WindowStyleEx(uint32_t& styleEx)
{
    VISTREL_NEED_WINDOW
    styleEx = window->styleEx();
    return S_OK;
}

HRESULT RendererWindowControl::SetWindowPosition(int32_t left, int32_t top, int32_t width, int32_t height)
{
    VISTREL_NEED_WINDOW
    if (width < 0 || height < 0)
        return E_INVALIDARG;
    window->setPlacement(QRect(left, top, width, height));
    return S_OK;
}

HRESULT RendererWindowControl::GetWindowPosition(int32_t& left, int32_t& top, int32_t& width, int32_t& height)
{
    VISTREL_NEED_WINDOW
    const QRect r = window->placement();
    left = r.left();
    top = r.top();
    width = r.width();
    height = r.height();
    return S_OK;
}

HRESULT RendererWindowControl::put_MessageDrain(QWidget* drain)
{
    VISTREL_NEED_WINDOW
    window->setDrain(drain);
    return S_OK;
}

HRESULT RendererWindowControl::get_MessageDrain(QWidget*& drain)
{
    VISTREL_NEED_WINDOW
    drain = window->drain();
    return S_OK;
}

HRESULT RendererWindowControl::put_Visible(bool visible)
{
    VISTREL_NEED_WINDOW
    window->setWanted(visible);
    return S_OK;
}

HRESULT RendererWindowControl::get_Visible(bool& visible)
{
    VISTREL_NEED_WINDOW
    visible = window->isVisible();
    return S_OK;
}

#undef VISTREL_NEED_WINDOW

HRESULT SoundLevelControl::put_Volume(int32_t volume)
{
    if (volume < AUDIO_VOLUME_SILENCE || volume > AUDIO_VOLUME_FULL)
        return E_INVALIDARG;
    volume_ = volume;
    applySoundLevels(volume_, balance_);
    return S_OK;
}

HRESULT SoundLevelControl::get_Volume(int32_t& volume)
{
    volume = volume_;
    return S_OK;
}

HRESULT SoundLevelControl::put_Balance(int32_t balance)
{
    if (balance < -10000 || balance > 10000)
        return E_INVALIDARG;
    balance_ = balance;
    applySoundLevels(volume_, balance_);
    return S_OK;
}

HRESULT SoundLevelControl::get_Balance(int32_t& balance)
{
    balance = balance_;
    return S_OK;
}

HRESULT GraphEventSource::GetEvent(int32_t& code, LONG_PTR& param1, LONG_PTR& param2, int32_t msTimeout)
{
    return events_.GetEvent(code, param1, param2, msTimeout);
}

HRESULT GraphEventSource::FreeEventParams(int32_t code, LONG_PTR param1, LONG_PTR param2)
{
    return events_.FreeEventParams(code, param1, param2);
}

HRESULT GraphEventSource::SetNotifyWindow(QObject* window, uint32_t message, LONG_PTR instanceData)
{
    return events_.SetNotifyWindow(window, message, instanceData);
}

HRESULT GraphEventSource::SetNotifyFlags(int32_t flags)
{
    return events_.SetNotifyFlags(flags);
}

HRESULT GraphEventSource::GetNotifyFlags(int32_t& flags)
{
    return events_.GetNotifyFlags(flags);
}

}  // namespace media
