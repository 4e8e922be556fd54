#pragma once
// The filters a file graph lists: the file source, the decoders, the MIDI synthesiser and the two
// renderers, with their pins and connections. They describe the graph (names, states, the media
// on each connection); the work itself is done by the graph's Playback. The video renderer filter
// owns the renderer window.
#include "platform/media/ControlInterfaces.h"
#include "platform/media/VideoRendererWindow.h"

#include <QPointer>

#include <vector>

namespace media {

class GraphFilter;

class GraphPin : public IPin, public IOverlay {
public:
    GraphPin(const std::shared_ptr<GraphFilter>& filter, QString id, PIN_DIRECTION direction, bool overlay);
    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override;

    HRESULT QueryId(QString& id) override;
    HRESULT QueryDirection(PIN_DIRECTION& direction) override;
    HRESULT ConnectedTo(Ref<IPin>& pin) override;
    HRESULT ConnectionMediaType(QString& description) override;
    HRESULT QueryFilter(Ref<IBaseFilter>& filter) override;
    HRESULT GetDefaultColorKey(COLORKEY& key) override;

    // Joins an output pin to an input pin, both carrying `media`.
    static void connect(const Ref<GraphPin>& out, const Ref<GraphPin>& in, const QString& media);
    void disconnect();
    Ref<GraphPin> peer() const { return peer_.lock(); }
    const QString& id() const { return id_; }
    const QString& media() const { return media_; }
    PIN_DIRECTION direction() const { return direction_; }

private:
    std::weak_ptr<GraphFilter> filter_;
    QString id_;
    PIN_DIRECTION direction_;
    bool overlay_;
    std::weak_ptr<GraphPin> peer_;
    QString media_;
};

class GraphFilter : public IBaseFilter {
public:
    explicit GraphFilter(QString name) : name_(std::move(name)) {}
    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override;

    HRESULT QueryFilterInfo(QString& name) override;
    HRESULT GetState(uint32_t msTimeout, FILTER_STATE& state) override;
    HRESULT EnumPins(Ref<IEnumPins>& pins) override;

    Ref<GraphPin> addPin(const QString& id, PIN_DIRECTION direction, bool overlay = false);
    const std::vector<Ref<GraphPin>>& pins() const { return pins_; }
    const QString& name() const { return name_; }
    void setState(FILTER_STATE state) { state_ = state; }
    FILTER_STATE state() const { return state_; }

private:
    QString name_;
    FILTER_STATE state_ = State_Stopped;
    std::vector<Ref<GraphPin>> pins_;
};

// The filter named "Video Renderer": it owns the renderer window for as long as it exists.
class VideoRendererFilter : public GraphFilter {
public:
    VideoRendererFilter();
    ~VideoRendererFilter() override;
    VideoRendererWindow* window() const { return window_; }

private:
    QPointer<VideoRendererWindow> window_;
};

// Walks a snapshot of filters.
class FilterEnumerator : public IEnumFilters {
public:
    explicit FilterEnumerator(std::vector<Ref<IBaseFilter>> filters) : filters_(std::move(filters)) {}
    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override;
    HRESULT Next(uint32_t count, Ref<IBaseFilter>* filters, uint32_t* fetched) override;
    HRESULT Skip(uint32_t count) override;
    HRESULT Reset() override;

private:
    std::vector<Ref<IBaseFilter>> filters_;
    size_t next_ = 0;
};

}  // namespace media
