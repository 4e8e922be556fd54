#pragma once
// What the video window control and the seek bar use of a graph component: the interfaces it
// holds (empty when absent), its back references to them, and its end. Kept in one place so that
// the two controls do not depend on how the graph stores them.
#include "platform/media/ControlInterfaces.h"

#include <QMetaObject>

#include <functional>

class QObject;
class TDSGraph;
class TDSFilterGraph2;
class TDSTrackBar;
class TDSVideoWindow;

namespace graphaccess {

com::Ref<media::IVideoWindow> videoWindow(TDSGraph* graph);
com::Ref<media::IGraphBuilder> builder(TDSGraph* graph);
com::Ref<media::IMediaSeeking> seeking(TDSFilterGraph2* graph);
com::Ref<media::IMediaControl> control(TDSFilterGraph2* graph);

void setVideoWindow(TDSGraph* graph, TDSVideoWindow* window);
void setTrackBar(TDSFilterGraph2* graph, TDSTrackBar* bar);

// Runs `gone` (in `context`) when the graph is destroyed; the graph must not be touched then.
QMetaObject::Connection onDestroyed(TDSGraph* graph, QObject* context, std::function<void()> gone);
QMetaObject::Connection onDestroyed(TDSFilterGraph2* graph, QObject* context, std::function<void()> gone);

// Runs `work`; an exception escaping it goes to the application's handler for unhandled errors.
void guarded(const std::function<void()>& work);

}  // namespace graphaccess
