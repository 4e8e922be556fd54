#pragma once
// TDSFilterGraph2: the file graph. It holds the graph object itself (IFilterGraph2; while present
// the component counts as connected), renders nothing by itself (the owner calls RenderFile on
// IFilterGraph2() and then QueryGraphInterfaces), and keeps the seek bar bound to it informed of
// end of stream and clock changes. ClearGraph empties the graph for the next file while keeping it
// connected and registered.
#include "engine/TDSGraph.h"

class TDSTrackBar;

class TDSFilterGraph2 : public TDSGraph {
    Q_OBJECT
public:
    explicit TDSFilterGraph2(QObject* owner = nullptr);
    ~TDSFilterGraph2() override;

    // The class data: the filter graph manager, created through the media platform.
    static TServerData& ClassData();

    // The seek bar bound to this graph, or none; set and cleared by the bar (SetTrackBar(this) /
    // SetTrackBar(nullptr)). Not owned.
    TDSTrackBar* TrackBar() const { return trackBarObject_ ? trackBar_ : nullptr; }
    template <class Control = TDSTrackBar>
    void SetTrackBar(Control* bar)
    {
        trackBar_ = bar;
        trackBarObject_ = bar;
        trackBarCalls_ = {};
        if (bar) {
            trackBarCalls_.rebind = [this, bar] { bar->SetGraph(this); };
            trackBarCalls_.complete = [bar] { bar->HandleComplete(); };
            trackBarCalls_.progress = [bar] { bar->UpdateProgress(); };
            trackBarCalls_.resetRate = [bar] { bar->SetRate(1.0); };
        }
    }

    const com::Ref<media::IFilterGraph2>& IFilterGraph2() const { return filterGraph2_; }

    void Connect() override;
    void Disconnect() override;
    // Obtains the control interfaces (refused ones stay empty), routes the events to
    // NotifyWindow, rebinds the video window and the seek bar.
    void QueryGraphInterfaces() override;
    // Resets the seek bar's rate, releases the control interfaces and removes every filter; the
    // graph stays connected, empty.
    void ClearGraph();
    // With ckAttachToInterface: connects to a graph obtained elsewhere.
    void ConnectTo(const com::Ref<media::IFilterGraph2>& graph);

protected:
    void HandleGraphEvent(int32_t Event, media::LONG_PTR Param1, media::LONG_PTR Param2) override;
    void ReleaseGraphInterfaces();

private:
    struct TrackBarCalls {
        std::function<void()> rebind, complete, progress, resetRate;
    };
    com::Ref<media::IFilterGraph2> filterGraph2_;
    TDSTrackBar* trackBar_ = nullptr;
    QPointer<QObject> trackBarObject_;  // tells whether the bar still exists
    TrackBarCalls trackBarCalls_;
};
