#pragma once
// The graph and its filters: building a graph from a file, walking and removing its filters.
#include "platform/com/Unknown.h"
#include "platform/media/Types.h"

#include <QString>

namespace media {

using com::Guid;
using com::IUnknown;
using com::Ref;

class IBaseFilter;

class IPin : public virtual IUnknown {
public:
    static constexpr Guid IID{"{56A86891-0AD4-11CE-B03A-0020AF0BA770}"};
    virtual HRESULT QueryId(QString& id) = 0;
    virtual HRESULT QueryDirection(PIN_DIRECTION& direction) = 0;
    // The pin this one is connected to; VFW_E_NOT_CONNECTED when none.
    virtual HRESULT ConnectedTo(Ref<IPin>& pin) = 0;
    // A readable description of the media type the connection carries.
    virtual HRESULT ConnectionMediaType(QString& description) = 0;
    // The filter that owns the pin.
    virtual HRESULT QueryFilter(Ref<IBaseFilter>& filter) = 0;
};

class IEnumPins : public virtual IUnknown {
public:
    static constexpr Guid IID{"{56A86892-0AD4-11CE-B03A-0020AF0BA770}"};
    // Gives up to `count` pins; S_OK when all were given, S_FALSE when fewer.
    virtual HRESULT Next(uint32_t count, Ref<IPin>* pins, uint32_t* fetched) = 0;
    virtual HRESULT Reset() = 0;
};

class IBaseFilter : public virtual IUnknown {
public:
    static constexpr Guid IID{"{56A86895-0AD4-11CE-B03A-0020AF0BA770}"};
    // The filter's name in its graph.
    virtual HRESULT QueryFilterInfo(QString& name) = 0;
    virtual HRESULT GetState(uint32_t msTimeout, FILTER_STATE& state) = 0;
    virtual HRESULT EnumPins(Ref<IEnumPins>& pins) = 0;
};

class IEnumFilters : public virtual IUnknown {
public:
    static constexpr Guid IID{"{56A86893-0AD4-11CE-B03A-0020AF0BA770}"};
    // Gives up to `count` filters; S_OK when all were given, S_FALSE when fewer.
    virtual HRESULT Next(uint32_t count, Ref<IBaseFilter>* filters, uint32_t* fetched) = 0;
    virtual HRESULT Skip(uint32_t count) = 0;
    virtual HRESULT Reset() = 0;
};

class IFilterGraph : public virtual IUnknown {
public:
    static constexpr Guid IID{"{56A8689F-0AD4-11CE-B03A-0020AF0BA770}"};
    // The enumerator works on a snapshot of the filter list.
    virtual HRESULT EnumFilters(Ref<IEnumFilters>& filters) = 0;
    // Stops the graph if needed and takes the filter out; VFW_E_NOT_FOUND if it is not in the graph.
    virtual HRESULT RemoveFilter(const Ref<IBaseFilter>& filter) = 0;
    virtual HRESULT FindFilterByName(const QString& name, Ref<IBaseFilter>& filter) = 0;
};

class IGraphBuilder : public IFilterGraph {
public:
    static constexpr Guid IID{"{56A868A9-0AD4-11CE-B03A-0020AF0BA770}"};
    // Builds a complete playback graph for the file (the play list is not used). On failure the
    // graph is left as it was before the call.
    virtual HRESULT RenderFile(const QString& file, const QString& playList = {}) = 0;
};

class IFilterGraph2 : public IGraphBuilder {
public:
    static constexpr Guid IID{"{36B73882-C2C8-11CF-8B46-00805F6CEF60}"};
};

// The class of the filter graph manager.
constexpr Guid CLSID_FilterGraph{"{E436EBB3-524F-11CE-9F53-0020AF0BA770}"};

}  // namespace media
