#pragma once
// Scalar types, event codes, seeking flags and window styles of the media platform, with the
// values the callers were written against.
#include "platform/com/Result.h"

#include <cstdint>

namespace media {

using REFERENCE_TIME = int64_t;  // 100 ns units
using LONG_PTR = intptr_t;       // an event parameter: a number or a pointer
constexpr REFERENCE_TIME UNITS = 10'000'000;  // 100 ns units in a second

// Graph and filter states.
enum FILTER_STATE : int32_t { State_Stopped = 0, State_Paused = 1, State_Running = 2 };
enum PIN_DIRECTION : int32_t { PINDIR_INPUT = 0, PINDIR_OUTPUT = 1 };

// The private message a graph posts to its notify window while events wait.
constexpr uint32_t WM_APP = 0x8000;
constexpr uint32_t WM_GRAPHNOTIFY = WM_APP + 1;

// SetNotifyFlags: 0 delivers notifications, 1 stops them (and the queue with them).
constexpr int32_t AM_MEDIAEVENT_NONOTIFY = 1;

// Event codes.
constexpr int32_t EC_COMPLETE = 0x01;
constexpr int32_t EC_USERABORT = 0x02;
constexpr int32_t EC_ERRORABORT = 0x03;
constexpr int32_t EC_TIME = 0x04;
constexpr int32_t EC_REPAINT = 0x05;
constexpr int32_t EC_STREAM_ERROR_STOPPED = 0x06;
constexpr int32_t EC_STREAM_ERROR_STILLPLAYING = 0x07;
constexpr int32_t EC_ERROR_STILLPLAYING = 0x08;
constexpr int32_t EC_PALETTE_CHANGED = 0x09;
constexpr int32_t EC_VIDEO_SIZE_CHANGED = 0x0A;
constexpr int32_t EC_QUALITY_CHANGE = 0x0B;
constexpr int32_t EC_SHUTTING_DOWN = 0x0C;
constexpr int32_t EC_CLOCK_CHANGED = 0x0D;
constexpr int32_t EC_PAUSED = 0x0E;
constexpr int32_t EC_OPENING_FILE = 0x10;
constexpr int32_t EC_BUFFERING_DATA = 0x11;
constexpr int32_t EC_FULLSCREEN_LOST = 0x12;
constexpr int32_t EC_OLE_EVENT = 0x18;
constexpr int32_t EC_STREAM_CONTROL_STOPPED = 0x1A;
constexpr int32_t EC_STREAM_CONTROL_STARTED = 0x1B;
constexpr int32_t EC_END_OF_SEGMENT = 0x1C;
constexpr int32_t EC_DEVICE_LOST = 0x1F;
constexpr int32_t EC_STEP_COMPLETE = 0x24;
constexpr int32_t EC_TIMECODE_AVAILABLE = 0x30;
constexpr int32_t EC_EXTDEVICE_MODE_CHANGE = 0x31;
constexpr int32_t EC_GRAPH_CHANGED = 0x50;
constexpr int32_t EC_CLOCK_UNSET = 0x51;
constexpr int32_t EC_SNDDEV_IN_ERROR = 0x200;
constexpr int32_t EC_SNDDEV_OUT_ERROR = 0x201;

// Seeking capabilities (IMediaSeeking::GetCapabilities).
constexpr uint32_t AM_SEEKING_CanSeekAbsolute = 0x1;
constexpr uint32_t AM_SEEKING_CanSeekForwards = 0x2;
constexpr uint32_t AM_SEEKING_CanSeekBackwards = 0x4;
constexpr uint32_t AM_SEEKING_CanGetCurrentPos = 0x8;
constexpr uint32_t AM_SEEKING_CanGetStopPos = 0x10;
constexpr uint32_t AM_SEEKING_CanGetDuration = 0x20;
constexpr uint32_t AM_SEEKING_CanPlayBackwards = 0x40;
constexpr uint32_t AM_SEEKING_CanDoSegments = 0x80;
constexpr uint32_t AM_SEEKING_Source = 0x100;

// Positioning flags (IMediaSeeking::SetPositions).
constexpr uint32_t AM_SEEKING_NoPositioning = 0;
constexpr uint32_t AM_SEEKING_AbsolutePositioning = 1;
constexpr uint32_t AM_SEEKING_RelativePositioning = 2;
constexpr uint32_t AM_SEEKING_IncrementalPositioning = 3;
constexpr uint32_t AM_SEEKING_PositioningBitsMask = 3;

// Window styles understood by the renderer window.
constexpr uint32_t WS_POPUP = 0x80000000;
constexpr uint32_t WS_CHILD = 0x40000000;
constexpr uint32_t WS_VISIBLE = 0x10000000;
constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000;
constexpr uint32_t WS_CLIPCHILDREN = 0x02000000;
constexpr uint32_t WS_CAPTION = 0x00C00000;
constexpr uint32_t WS_THICKFRAME = 0x00040000;
constexpr uint32_t WS_OVERLAPPEDWINDOW = 0x00CF0000;
constexpr uint32_t WS_EX_DLGMODALFRAME = 0x00000001;
constexpr uint32_t WS_EX_TOPMOST = 0x00000008;
constexpr uint32_t WS_EX_WINDOWEDGE = 0x00000100;
constexpr uint32_t WS_EX_CLIENTEDGE = 0x00000200;
constexpr uint32_t WS_EX_STATICEDGE = 0x00020000;

// Volume of IBasicAudio in hundredths of a decibel.
constexpr int32_t AUDIO_VOLUME_SILENCE = -10000;
constexpr int32_t AUDIO_VOLUME_FULL = 0;

// Colour key of the renderer's overlay.
constexpr uint32_t CK_RGB = 0x2;
struct COLORKEY {
    uint32_t KeyType = CK_RGB;
    uint32_t PaletteIndex = 0;
    uint32_t LowColorValue = 0;   // 0x00BBGGRR
    uint32_t HighColorValue = 0;  // 0x00BBGGRR
};

}  // namespace media
