#pragma once
// Stand-ins for a graph's seeking, control and video window interfaces: they answer with what a
// test sets and write down what the controls ask of them.
#include "engine/TDSFilterGraph2.h"
#include "platform/media/ControlInterfaces.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

namespace fakes {

class Seeking : public media::IMediaSeeking {
public:
    HRESULT QueryInterface(const com::Guid& iid, com::Ref<com::IUnknown>& out) override
    {
        return answerQuery<media::IMediaSeeking>(iid, out);
    }
    HRESULT GetCapabilities(uint32_t& c) override
    {
        c = capabilities;
        return S_OK;
    }
    HRESULT GetDuration(media::REFERENCE_TIME& d) override
    {
        d = duration;
        return S_OK;
    }
    HRESULT GetCurrentPosition(media::REFERENCE_TIME& p) override
    {
        p = position;
        return S_OK;
    }
    HRESULT GetStopPosition(media::REFERENCE_TIME& p) override
    {
        p = duration;
        return S_OK;
    }
    HRESULT SetPositions(media::REFERENCE_TIME* current, uint32_t currentFlags, media::REFERENCE_TIME* stop,
                         uint32_t stopFlags) override
    {
        if (!current || (currentFlags & media::AM_SEEKING_PositioningBitsMask) != media::AM_SEEKING_AbsolutePositioning)
            return E_INVALIDARG;
        stopsTouched += (stop != nullptr || stopFlags != media::AM_SEEKING_NoPositioning) ? 1 : 0;
        seeks.push_back(*current);
        position = *current;
        return S_OK;
    }
    HRESULT GetRate(double& r) override
    {
        r = rate;
        return S_OK;
    }
    HRESULT SetRate(double r) override
    {
        rateCalls.push_back(r);
        rate = r;
        return S_OK;
    }

    uint32_t capabilities = media::AM_SEEKING_CanSeekAbsolute | media::AM_SEEKING_CanSeekForwards |
                            media::AM_SEEKING_CanSeekBackwards | media::AM_SEEKING_CanGetCurrentPos |
                            media::AM_SEEKING_CanGetDuration;
    media::REFERENCE_TIME duration = 42'000'000'000;  // 70 minutes
    media::REFERENCE_TIME position = 0;
    double rate = 1.0;
    std::vector<media::REFERENCE_TIME> seeks;
    std::vector<double> rateCalls;
    int stopsTouched = 0;
};

class Control : public media::IMediaControl {
public:
    HRESULT QueryInterface(const com::Guid& iid, com::Ref<com::IUnknown>& out) override
    {
        return answerQuery<media::IMediaControl>(iid, out);
    }
    HRESULT Run() override
    {
        ++runs;
        return S_OK;
    }
    HRESULT Pause() override { return S_OK; }
    HRESULT Stop() override
    {
        ++stops;
        return S_OK;
    }
    HRESULT GetState(int32_t, media::FILTER_STATE& s) override
    {
        s = media::State_Stopped;
        return S_OK;
    }
    int runs = 0;
    int stops = 0;
};

// Writes down each call as a line, in order: "Owner", "Caption name", "Style 0x…", "StyleEx 0x…",
// "Position x,y,w,h", "Drain".
class VideoWindow : public media::IVideoWindow {
public:
    HRESULT QueryInterface(const com::Guid& iid, com::Ref<com::IUnknown>& out) override
    {
        return answerQuery<media::IVideoWindow>(iid, out);
    }
    HRESULT put_Owner(QWidget* o) override
    {
        owner = o;
        calls.push_back(QStringLiteral("Owner"));
        return S_OK;
    }
    HRESULT get_Owner(QWidget*& o) override
    {
        o = owner;
        return S_OK;
    }
    HRESULT put_Caption(const QString& c) override
    {
        caption = c;
        calls.push_back(QStringLiteral("Caption ") + c);
        return S_OK;
    }
    HRESULT get_Caption(QString& c) override
    {
        c = caption;
        return S_OK;
    }
    HRESULT put_WindowStyle(uint32_t s) override
    {
        style = s;
        calls.push_back(QStringLiteral("Style"));
        return S_OK;
    }
    HRESULT get_WindowStyle(uint32_t& s) override
    {
        s = style;
        return S_OK;
    }
    HRESULT put_WindowStyleEx(uint32_t s) override
    {
        styleEx = s;
        calls.push_back(QStringLiteral("StyleEx"));
        return S_OK;
    }
    HRESULT get_WindowStyleEx(uint32_t& s) override
    {
        s = styleEx;
        return S_OK;
    }
    HRESULT SetWindowPosition(int32_t l, int32_t t, int32_t w, int32_t h) override
    {
        bounds = QRect(l, t, w, h);
        calls.push_back(QStringLiteral("Position"));
        return S_OK;
    }
    HRESULT GetWindowPosition(int32_t& l, int32_t& t, int32_t& w, int32_t& h) override
    {
        l = bounds.x(), t = bounds.y(), w = bounds.width(), h = bounds.height();
        return S_OK;
    }
    HRESULT put_MessageDrain(QWidget* d) override
    {
        drain = d;
        calls.push_back(QStringLiteral("Drain"));
        return S_OK;
    }
    HRESULT get_MessageDrain(QWidget*& d) override
    {
        d = drain;
        return S_OK;
    }
    HRESULT put_Visible(bool) override { return S_OK; }
    HRESULT get_Visible(bool& v) override
    {
        v = true;
        return S_OK;
    }

    QWidget* owner = nullptr;
    QWidget* drain = nullptr;
    QString caption;
    uint32_t style = 0;
    uint32_t styleEx = 0;
    QRect bounds;
    std::vector<QString> calls;
};

// A graph object that answers with the stand-ins it is given and refuses everything else.
class Graph : public media::IFilterGraph2 {
public:
    HRESULT QueryInterface(const com::Guid& iid, com::Ref<com::IUnknown>& out) override
    {
        out.reset();
        if (iid == media::IMediaSeeking::IID)
            out = seeking;
        else if (iid == media::IMediaControl::IID)
            out = control;
        else if (iid == media::IVideoWindow::IID)
            out = window;
        else
            return answerQuery<media::IFilterGraph, media::IGraphBuilder, media::IFilterGraph2>(iid, out);
        return out ? S_OK : E_NOINTERFACE;
    }
    HRESULT EnumFilters(com::Ref<media::IEnumFilters>& filters) override
    {
        filters.reset();
        return E_NOTIMPL;
    }
    HRESULT RemoveFilter(const com::Ref<media::IBaseFilter>&) override { return VFW_E_NOT_FOUND; }
    HRESULT FindFilterByName(const QString&, com::Ref<media::IBaseFilter>& filter) override
    {
        filter.reset();
        return VFW_E_NOT_FOUND;
    }
    HRESULT RenderFile(const QString&, const QString&) override { return E_NOTIMPL; }

    com::Ref<Seeking> seeking;
    com::Ref<Control> control;
    com::Ref<VideoWindow> window;
};

// Connects `component` to a graph object made of the given stand-ins (any may be null) and takes
// its interfaces, as after a render.
inline void bind(TDSFilterGraph2& component, com::Ref<Seeking> seeking, com::Ref<Control> control,
                 com::Ref<VideoWindow> window)
{
    auto graph = std::make_shared<Graph>();
    graph->seeking = std::move(seeking);
    graph->control = std::move(control);
    graph->window = std::move(window);
    component.ConnectTo(graph);
    component.QueryGraphInterfaces();
}

}  // namespace fakes
