#pragma once
// Item lists of the shell namespace: an item is named by the list of segments that lead to it
// from the desktop (absolute) or from its folder (relative). A segment is a file name (raw
// bytes) or, in the first levels, the token of a virtual item: "home" and "computer" under the
// desktop, a volume's mount point under the computer. Lists are plain values.
#include "platform/rtl/String.h"

#include <vector>

namespace vd {

using ItemIdList = std::vector<String>;

inline int ItemIdCount(const ItemIdList& list) {
    return static_cast<int>(list.size());
}

// Cuts off the last item; nothing for an empty list.
inline void StripLastItemId(ItemIdList& list) {
    if (!list.empty()) list.pop_back();
}

inline ItemIdList ConcatItemIdLists(const ItemIdList& first, const ItemIdList& second) {
    ItemIdList out = first;
    out.insert(out.end(), second.begin(), second.end());
    return out;
}

// A list holding only the last item (empty for an empty list).
inline ItemIdList LastItemId(const ItemIdList& list) {
    return list.empty() ? ItemIdList{} : ItemIdList{list.back()};
}

// One list per prefix, shortest first: the chain of ancestors down to the item itself.
inline std::vector<ItemIdList> CreateItemIdChain(const ItemIdList& list) {
    std::vector<ItemIdList> chain;
    for (std::size_t n = 1; n <= list.size(); ++n)
        chain.emplace_back(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(n));
    return chain;
}

// Segment by segment, byte for byte: names differing in case are different items here.
inline bool SameItemIdList(const ItemIdList& a, const ItemIdList& b) {
    return a == b;
}

} // namespace vd
