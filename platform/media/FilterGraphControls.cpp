// The graph's seeking, window, sound and picture interfaces.
#include "platform/media/FilterGraph.h"

#include "platform/media/VideoRendererWindow.h"

#include <cmath>

namespace media {

namespace {

REFERENCE_TIME toReferenceTime(double seconds)
{
    return REFERENCE_TIME(std::llround(seconds * double(UNITS)));
}

}  // namespace

HRESULT FilterGraph::GetCapabilities(uint32_t& capabilities)
{
    capabilities = 0;
    if (!playback_)
        return S_OK;
    capabilities = AM_SEEKING_CanGetCurrentPos | AM_SEEKING_CanGetStopPos;
    if (playback_->duration() > 0)
        capabilities |= AM_SEEKING_CanGetDuration;
    if (playback_->seekable())
        capabilities |= AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekForwards | AM_SEEKING_CanSeekBackwards;
    return S_OK;
}

HRESULT FilterGraph::GetDuration(REFERENCE_TIME& duration)
{
    duration = 0;
    if (!playback_)
        return E_NOTIMPL;
    duration = toReferenceTime(playback_->duration());
    return S_OK;
}

HRESULT FilterGraph::GetCurrentPosition(REFERENCE_TIME& position)
{
    position = 0;
    if (!playback_)
        return E_NOTIMPL;
    position = toReferenceTime(playback_->position());
    return S_OK;
}

HRESULT FilterGraph::GetStopPosition(REFERENCE_TIME& position)
{
    position = 0;
    if (!playback_)
        return E_NOTIMPL;
    position = stopPosition_ >= 0 ? stopPosition_ : toReferenceTime(playback_->duration());
    return S_OK;
}

HRESULT FilterGraph::SetPositions(REFERENCE_TIME* current, uint32_t currentFlags, REFERENCE_TIME* stop,
                                  uint32_t stopFlags)
{
    if (!playback_)
        return E_NOTIMPL;
    const uint32_t how = currentFlags & AM_SEEKING_PositioningBitsMask;
    if (how != AM_SEEKING_NoPositioning) {
        if (!current)
            return E_POINTER;
        if (!playback_->seekable())
            return E_FAIL;
        double target = double(*current) / UNITS;
        if (how != AM_SEEKING_AbsolutePositioning)
            target += playback_->position();
        playback_->seek(target);
    }
    if ((stopFlags & AM_SEEKING_PositioningBitsMask) == AM_SEEKING_AbsolutePositioning && stop)
        stopPosition_ = *stop;  // kept and reported; playback runs to the end of the file
    changed();
    return S_OK;
}

HRESULT FilterGraph::GetRate(double& rate)
{
    rate = rate_;
    return S_OK;
}

HRESULT FilterGraph::SetRate(double rate)
{
    if (!(rate >= 0.5 && rate <= 8.0))
        return E_INVALIDARG;
    rate_ = rate;
    if (playback_)
        playback_->setRate(rate);
    return S_OK;
}


void FilterGraph::applySoundLevels(int32_t volume, int32_t balance)
{
    if (playback_) {
        playback_->setVolume(volume);
        playback_->setBalance(balance);
    }
}

HRESULT FilterGraph::get_AvgTimePerFrame(double& seconds)
{
    if (!playback_ || !videoFilter_)
        return VFW_E_NOT_CONNECTED;
    seconds = playback_->frameDuration();
    return S_OK;
}

HRESULT FilterGraph::get_SourceWidth(int32_t& width)
{
    int32_t height = 0;
    return GetVideoSize(width, height);
}

HRESULT FilterGraph::get_SourceHeight(int32_t& height)
{
    int32_t width = 0;
    return GetVideoSize(width, height);
}

HRESULT FilterGraph::GetVideoSize(int32_t& width, int32_t& height)
{
    if (!playback_ || !videoFilter_)
        return VFW_E_NOT_CONNECTED;
    width = playback_->width();
    height = playback_->height();
    return S_OK;
}

HRESULT FilterGraph::GetPreferredAspectRatio(int32_t& x, int32_t& y)
{
    if (!playback_ || !videoFilter_ || playback_->height() <= 0)
        return VFW_E_NOT_CONNECTED;
    x = playback_->aspectX();
    y = playback_->aspectY();
    return S_OK;
}

HRESULT FilterGraph::Step(uint32_t frames, IUnknown* stepObject)
{
    if (stepObject)
        return E_INVALIDARG;
    if (!playback_ || !playback_->step(int(frames)))
        return VFW_E_WRONG_STATE;
    return S_OK;
}

HRESULT FilterGraph::CanStep(int32_t multiple, IUnknown* stepObject)
{
    if (stepObject)
        return E_INVALIDARG;
    if (!playback_ || !videoFilter_)
        return S_FALSE;
    return multiple == 0 || multiple == 1 ? S_OK : S_FALSE;
}

HRESULT FilterGraph::CancelStep()
{
    if (playback_)
        playback_->cancelStep();
    return S_OK;
}

}  // namespace media
