#pragma once
// Graph interfaces that callers may ask for but that this platform has nothing behind: stream
// synchronisation, filter chains, the filter mapper, dynamic reconfiguration, graph versions,
// event injection, queued commands and the resource manager. The graph refuses every one of them
// (E_NOINTERFACE), so the references that callers keep for them stay empty. They are declared only
// so that those references can exist.
#include "platform/media/GraphInterfaces.h"

namespace media {

#define VISTREL_REFUSED_INTERFACE(Name, Text)         \
    class Name : public virtual IUnknown {            \
    public:                                           \
        static constexpr Guid IID{Text};              \
    };

VISTREL_REFUSED_INTERFACE(IAMGraphStreams, "{632105FA-072E-11D3-8AF9-00C04FB6BD3D}")
VISTREL_REFUSED_INTERFACE(IFilterChain, "{DCFBDCF6-0DC2-45F5-9AB2-7C330EA09C29}")
VISTREL_REFUSED_INTERFACE(IFilterMapper2, "{B79BB0B0-33C1-11D1-ABE1-00A0C905F375}")
VISTREL_REFUSED_INTERFACE(IGraphConfig, "{03A1EB8E-32BF-4245-8502-114D08A9CB88}")
VISTREL_REFUSED_INTERFACE(IGraphVersion, "{56A868AB-0AD4-11CE-B03A-0020AF0BA770}")
VISTREL_REFUSED_INTERFACE(IMediaEventSink, "{56A868A2-0AD4-11CE-B03A-0020AF0BA770}")
VISTREL_REFUSED_INTERFACE(IQueueCommand, "{56A868B7-0AD4-11CE-B03A-0020AF0BA770}")
VISTREL_REFUSED_INTERFACE(IResourceManager, "{56A868AC-0AD4-11CE-B03A-0020AF0BA770}")

#undef VISTREL_REFUSED_INTERFACE

}  // namespace media
