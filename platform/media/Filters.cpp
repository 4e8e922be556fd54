#include "platform/media/Filters.h"

#include "platform/media/VideoRendererWindow.h"

namespace media {

namespace {

// Walks a snapshot of a filter's pins.
class PinEnumerator : public IEnumPins {
public:
    explicit PinEnumerator(std::vector<Ref<GraphPin>> pins) : pins_(std::move(pins)) {}
    HRESULT QueryInterface(const Guid& iid, Ref<IUnknown>& out) override { return answerQuery<IEnumPins>(iid, out); }
    HRESULT Next(uint32_t count, Ref<IPin>* pins, uint32_t* fetched) override
    {
        if (!pins)
            return E_POINTER;
        uint32_t given = 0;
        while (given < count && next_ < pins_.size())
            pins[given++] = pins_[next_++];
        if (fetched)
            *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT Reset() override
    {
        next_ = 0;
        return S_OK;
    }

private:
    std::vector<Ref<GraphPin>> pins_;
    size_t next_ = 0;
};

}  // namespace

GraphPin::GraphPin(const std::shared_ptr<GraphFilter>& filter, QString id, PIN_DIRECTION direction, bool overlay)
    : filter_(filter), id_(std::move(id)), direction_(direction), overlay_(overlay)
{
}

HRESULT GraphPin::QueryInterface(const Guid& iid, Ref<IUnknown>& out)
{
    if (overlay_)
        return answerQuery<IPin, IOverlay>(iid, out);
    return answerQuery<IPin>(iid, out);
}

HRESULT GraphPin::QueryId(QString& id)
{
    id = id_;
    return S_OK;
}

HRESULT GraphPin::QueryDirection(PIN_DIRECTION& direction)
{
    direction = direction_;
    return S_OK;
}

HRESULT GraphPin::ConnectedTo(Ref<IPin>& pin)
{
    pin = peer_.lock();
    return pin ? S_OK : VFW_E_NOT_CONNECTED;
}

HRESULT GraphPin::ConnectionMediaType(QString& description)
{
    if (!peer_.lock()) {
        description.clear();
        return VFW_E_NOT_CONNECTED;
    }
    description = media_;
    return S_OK;
}

HRESULT GraphPin::QueryFilter(Ref<IBaseFilter>& filter)
{
    filter = filter_.lock();
    return filter ? S_OK : E_FAIL;
}

HRESULT GraphPin::GetDefaultColorKey(COLORKEY& key)
{
    // The picture is drawn by the window itself, so the key is only the colour the owner's
    // drawing surface uses for "transparent": a dark magenta no picture is likely to hold.
    key.KeyType = CK_RGB;
    key.PaletteIndex = 0;
    key.LowColorValue = 0x00100010;
    key.HighColorValue = 0x00100010;
    return S_OK;
}

void GraphPin::connect(const Ref<GraphPin>& out, const Ref<GraphPin>& in, const QString& media)
{
    out->peer_ = in;
    in->peer_ = out;
    out->media_ = media;
    in->media_ = media;
}

void GraphPin::disconnect()
{
    if (auto other = peer_.lock())
        other->peer_.reset();
    peer_.reset();
}

HRESULT GraphFilter::QueryInterface(const Guid& iid, Ref<IUnknown>& out)
{
    return answerQuery<IBaseFilter>(iid, out);
}

HRESULT GraphFilter::QueryFilterInfo(QString& name)
{
    name = name_;
    return S_OK;
}

HRESULT GraphFilter::GetState(uint32_t, FILTER_STATE& state)
{
    state = state_;
    return S_OK;
}

HRESULT GraphFilter::EnumPins(Ref<IEnumPins>& pins)
{
    pins = std::make_shared<PinEnumerator>(pins_);
    return S_OK;
}

Ref<GraphPin> GraphFilter::addPin(const QString& id, PIN_DIRECTION direction, bool overlay)
{
    auto self = std::dynamic_pointer_cast<GraphFilter>(shared_from_this());
    pins_.push_back(std::make_shared<GraphPin>(self, id, direction, overlay));
    return pins_.back();
}

VideoRendererFilter::VideoRendererFilter() : GraphFilter(QStringLiteral("Video Renderer")), window_(new VideoRendererWindow)
{
}

VideoRendererFilter::~VideoRendererFilter()
{
    delete window_.data();  // whether or not an owner has adopted it
}

HRESULT FilterEnumerator::QueryInterface(const Guid& iid, Ref<IUnknown>& out)
{
    return answerQuery<IEnumFilters>(iid, out);
}

HRESULT FilterEnumerator::Next(uint32_t count, Ref<IBaseFilter>* filters, uint32_t* fetched)
{
    if (!filters)
        return E_POINTER;
    uint32_t given = 0;
    while (given < count && next_ < filters_.size())
        filters[given++] = filters_[next_++];
    if (fetched)
        *fetched = given;
    return given == count ? S_OK : S_FALSE;
}

HRESULT FilterEnumerator::Skip(uint32_t count)
{
    next_ = std::min(filters_.size(), next_ + count);
    return next_ < filters_.size() ? S_OK : S_FALSE;
}

HRESULT FilterEnumerator::Reset()
{
    next_ = 0;
    return S_OK;
}

}  // namespace media
