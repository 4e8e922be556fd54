#pragma once
// TDSFilterList: a snapshot of a graph's filters, each held by a counted reference, so that the
// graph can be changed (filters removed) while the list is walked.
#include "platform/media/GraphInterfaces.h"

#include <vector>

class TDSFilterList {
public:
    explicit TDSFilterList(const com::Ref<media::IFilterGraph>& graph);

    int Count() const { return int(items_.size()); }
    const com::Ref<media::IBaseFilter>& Items(int index) const { return items_.at(size_t(index)); }

private:
    std::vector<com::Ref<media::IBaseFilter>> items_;
};
