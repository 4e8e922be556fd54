// TDSGraph::HandleGraphEvent: the raw event first, then the component event of its code.
#include "engine/TDSGraph.h"

namespace {

template <class T>
T* pointer(media::LONG_PTR value)
{
    return reinterpret_cast<T*>(value);
}

QString wideText(media::LONG_PTR value)
{
    return value ? QString::fromUtf16(pointer<const char16_t>(value)) : QString();
}

}  // namespace

void TDSGraph::HandleGraphEvent(int32_t Event, media::LONG_PTR Param1, media::LONG_PTR Param2)
{
    using namespace media;
    if (OnDSEvent) {
        // The raw event's handler may destroy the component: then nothing of it may be read.
        const std::shared_ptr<bool> alive = alive_;
        OnDSEvent(this, Event, Param1, Param2);
        if (!*alive)
            return;
    }
    const auto p1 = uint32_t(Param1);
    const auto p2 = uint32_t(Param2);
    switch (Event) {
    case EC_COMPLETE:
        if (OnGraphComplete)
            OnGraphComplete(this, HRESULT(p1), pointer<IBaseFilter>(Param2));
        break;
    case EC_USERABORT:
        if (OnGraphUserAbort)
            OnGraphUserAbort(this);
        break;
    case EC_ERRORABORT:
        if (OnGraphErrorAbort)
            OnGraphErrorAbort(this, HRESULT(p1));
        break;
    case EC_STREAM_ERROR_STOPPED:
        if (OnGraphStreamErrorStopped)
            OnGraphStreamErrorStopped(this, HRESULT(p1), p2);
        break;
    case EC_STREAM_ERROR_STILLPLAYING:
        if (OnGraphStreamErrorStillPlaying)
            OnGraphStreamErrorStillPlaying(this, HRESULT(p1), p2);
        break;
    case EC_ERROR_STILLPLAYING:
        if (OnGraphErrorStillPlaying)
            OnGraphErrorStillPlaying(this, HRESULT(p1));
        break;
    case EC_PALETTE_CHANGED:
        if (OnGraphPaletteChanged)
            OnGraphPaletteChanged(this);
        break;
    case EC_VIDEO_SIZE_CHANGED:
        if (OnGraphVideoSizeChanged)
            OnGraphVideoSizeChanged(this, TVideoSize{uint16_t(p1 & 0xffff), uint16_t(p1 >> 16)});
        break;
    case EC_QUALITY_CHANGE:
        if (OnGraphQualityChange)
            OnGraphQualityChange(this);
        break;
    case EC_CLOCK_CHANGED:
        if (OnGraphClockChanged)
            OnGraphClockChanged(this);
        break;
    case EC_PAUSED:
        if (OnGraphPaused)
            OnGraphPaused(this, HRESULT(p1));
        break;
    case EC_OPENING_FILE:
        if (OnGraphOpeningFile)
            OnGraphOpeningFile(this, Param1 == 1);
        break;
    case EC_BUFFERING_DATA:
        if (OnGraphBufferingData)
            OnGraphBufferingData(this, Param1 == 1);
        break;
    case EC_FULLSCREEN_LOST:
        if (OnGraphFullscreenLost)
            OnGraphFullscreenLost(this, pointer<IBaseFilter>(Param2));
        break;
    case EC_OLE_EVENT:
        if (OnGraphOleEvent)
            OnGraphOleEvent(this, wideText(Param1), wideText(Param2));
        break;
    case EC_STREAM_CONTROL_STOPPED:
        if (OnGraphStreamControlStopped)
            OnGraphStreamControlStopped(this, pointer<IPin>(Param1), p2);
        break;
    case EC_STREAM_CONTROL_STARTED:
        if (OnGraphStreamControlStarted)
            OnGraphStreamControlStarted(this, pointer<IPin>(Param1), p2);
        break;
    case EC_END_OF_SEGMENT:
        // The first parameter points to the stream time; a null one reads as 0 rather than crash.
        if (OnGraphEndOfSegment)
            OnGraphEndOfSegment(this, Param1 ? *pointer<const int64_t>(Param1) : 0, p2);
        break;
    case EC_DEVICE_LOST:
        if (OnGraphDeviceLost)
            OnGraphDeviceLost(this, pointer<com::IUnknown>(Param1), Param2 == 1);
        break;
    case EC_STEP_COMPLETE:
        if (OnGraphStepComplete)
            OnGraphStepComplete(this);
        break;
    case EC_TIMECODE_AVAILABLE:
        if (OnGraphTimeCodeAvailable)
            OnGraphTimeCodeAvailable(this, pointer<IBaseFilter>(Param1), p2);
        break;
    case EC_EXTDEVICE_MODE_CHANGE:
        if (OnGraphEXTDeviceModeChange)
            OnGraphEXTDeviceModeChange(this, p1, p2);
        break;
    case EC_GRAPH_CHANGED:
        if (OnGraphChanged)
            OnGraphChanged(this);
        break;
    case EC_CLOCK_UNSET:
        if (OnGraphClockUnset)
            OnGraphClockUnset(this);
        break;
    case EC_SNDDEV_IN_ERROR:
        if (OnGraphSNDDevInError)
            OnGraphSNDDevInError(this, TSNDDEV_ERR(p1), p2);
        break;
    case EC_SNDDEV_OUT_ERROR:
        if (OnGraphSNDDevOutError)
            OnGraphSNDDevOutError(this, TSNDDEV_ERR(p1), p2);
        break;
    default:
        break;
    }
}
