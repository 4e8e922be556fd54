#include "engine/TDSFilterList.h"

TDSFilterList::TDSFilterList(const com::Ref<media::IFilterGraph>& graph)
{
    com::Ref<media::IEnumFilters> filters;
    if (!graph || FAILED(graph->EnumFilters(filters)) || !filters)
        return;
    com::Ref<media::IBaseFilter> filter;
    uint32_t fetched = 0;
    while (filters->Next(1, &filter, &fetched) == S_OK && fetched == 1)
        items_.push_back(filter);
}
