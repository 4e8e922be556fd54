#pragma once
// A stand-in graph object for the video window control and the seek bar: it answers with what a
// test sets and writes down what the controls ask of it. Seeking and the video window can be
// refused, as a graph without them refuses them.
#include "engine/TDSFilterGraph2.h"

#include <QRect>
#include <QWidget>

#include <vector>

namespace fakes {

using media::REFERENCE_TIME;

class Graph : public media::IFilterGraph2, public media::IMediaSeeking, public media::IMediaControl,
              public media::IVideoWindow {
public:
    HRESULT QueryInterface(const com::Guid& iid, com::Ref<com::IUnknown>& out) override
    {
        if ((iid == media::IMediaSeeking::IID && !seekable) || (iid == media::IVideoWindow::IID && !video)) {
            out.reset();
            return E_NOINTERFACE;
        }
        return answerQuery<media::IFilterGraph, media::IGraphBuilder, media::IFilterGraph2, media::IMediaSeeking,
                           media::IMediaControl, media::IVideoWindow>(iid, out);
    }

    // The graph itself has no filters.
    HRESULT EnumFilters(com::Ref<media::IEnumFilters>&) override { return E_NOTIMPL; }
    HRESULT RemoveFilter(const com::Ref<media::IBaseFilter>&) override { return VFW_E_NOT_FOUND; }
    HRESULT FindFilterByName(const QString&, com::Ref<media::IBaseFilter>&) override { return VFW_E_NOT_FOUND; }
    HRESULT RenderFile(const QString&, const QString&) override { return E_NOTIMPL; }

    // Seeking: absolute seeks of the current position only are expected.
    HRESULT GetCapabilities(uint32_t& c) override { return c = capabilities, S_OK; }
    HRESULT GetDuration(REFERENCE_TIME& d) override { return d = duration, S_OK; }
    HRESULT GetCurrentPosition(REFERENCE_TIME& p) override { return p = position, S_OK; }
    HRESULT GetStopPosition(REFERENCE_TIME& p) override { return p = duration, S_OK; }
    HRESULT SetPositions(REFERENCE_TIME* current, uint32_t flags, REFERENCE_TIME* stop, uint32_t stopFlags) override
    {
        if (!current || flags != media::AM_SEEKING_AbsolutePositioning || stop ||
            stopFlags != media::AM_SEEKING_NoPositioning)
            return E_INVALIDARG;
        seeks.push_back(position = *current);
        return S_OK;
    }
    HRESULT GetRate(double& r) override { return r = rate, S_OK; }
    HRESULT SetRate(double r) override { return rateCalls.push_back(rate = r), S_OK; }

    HRESULT Run() override { return S_OK; }
    HRESULT Pause() override { return S_OK; }
    HRESULT Stop() override { return ++stops, S_OK; }
    HRESULT GetState(int32_t, media::FILTER_STATE& s) override { return s = media::State_Stopped, S_OK; }

    // Video window: each call is written down by name, in order.
    HRESULT put_Owner(QWidget* o) override { return owner = o, note("Owner"); }
    HRESULT get_Owner(QWidget*& o) override { return o = owner, S_OK; }
    HRESULT put_Caption(const QString& c) override { return note("Caption " + c); }
    HRESULT get_Caption(QString&) override { return E_NOTIMPL; }
    HRESULT put_WindowStyle(uint32_t s) override { return style = s, note("Style"); }
    HRESULT get_WindowStyle(uint32_t& s) override { return s = style, S_OK; }
    HRESULT put_WindowStyleEx(uint32_t s) override { return styleEx = s, note("StyleEx"); }
    HRESULT get_WindowStyleEx(uint32_t& s) override { return s = styleEx, S_OK; }
    HRESULT SetWindowPosition(int32_t l, int32_t t, int32_t w, int32_t h) override
    {
        return bounds = QRect(l, t, w, h), note("Position");
    }
    HRESULT GetWindowPosition(int32_t&, int32_t&, int32_t&, int32_t&) override { return E_NOTIMPL; }
    HRESULT put_MessageDrain(QWidget* d) override { return drain = d, note("Drain"); }
    HRESULT get_MessageDrain(QWidget*& d) override { return d = drain, S_OK; }
    HRESULT put_Visible(bool) override { return S_OK; }
    HRESULT get_Visible(bool&) override { return E_NOTIMPL; }

    bool seekable = true;
    bool video = true;

    uint32_t capabilities = media::AM_SEEKING_CanSeekAbsolute | media::AM_SEEKING_CanSeekForwards |
                            media::AM_SEEKING_CanGetCurrentPos | media::AM_SEEKING_CanGetDuration;
    REFERENCE_TIME duration = 42'000'000'000;  // 70 minutes
    REFERENCE_TIME position = 0;
    double rate = 1.0;
    std::vector<REFERENCE_TIME> seeks;
    std::vector<double> rateCalls;
    int stops = 0;

    QWidget* owner = nullptr;
    QWidget* drain = nullptr;
    uint32_t style = 0;
    uint32_t styleEx = 0;
    QRect bounds;
    std::vector<QString> calls;

private:
    HRESULT note(const QString& call) { return calls.push_back(call), S_OK; }
};

// Connects `component` to `graph` and takes its interfaces, as after a render.
inline com::Ref<Graph> bind(TDSFilterGraph2& component, com::Ref<Graph> graph = std::make_shared<Graph>())
{
    component.ConnectTo(graph);
    component.QueryGraphInterfaces();
    return graph;
}

}  // namespace fakes
