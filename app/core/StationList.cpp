#include "app/core/StationList.h"

namespace vd {

TStationList StationList;

int TStationList::Count() const {
    std::lock_guard<std::mutex> lock(FLock);
    return static_cast<int>(FItems.size());
}

TStationPtr TStationList::Items(int index) const {
    std::lock_guard<std::mutex> lock(FLock);
    if (index < 0 || index >= static_cast<int>(FItems.size())) return nullptr;
    return FItems[static_cast<std::size_t>(index)];
}

std::vector<TStationPtr> TStationList::Snapshot() const {
    std::lock_guard<std::mutex> lock(FLock);
    return FItems;
}

int TStationList::IndexOf(const TStationRecord* record) const {
    std::lock_guard<std::mutex> lock(FLock);
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == record) return static_cast<int>(i);
    return -1;
}

int TStationList::Add(TStationPtr record) {
    std::lock_guard<std::mutex> lock(FLock);
    FItems.push_back(std::move(record));
    return static_cast<int>(FItems.size()) - 1;
}

void TStationList::Delete(int index) {
    TStationPtr removed; // released after the lock, so a record never dies under it
    {
        std::lock_guard<std::mutex> lock(FLock);
        if (index < 0 || index >= static_cast<int>(FItems.size())) return;
        removed = std::move(FItems[static_cast<std::size_t>(index)]);
        FItems.erase(FItems.begin() + index);
    }
}

void TStationList::Clear() {
    std::vector<TStationPtr> removed;
    {
        std::lock_guard<std::mutex> lock(FLock);
        removed.swap(FItems);
    }
}

} // namespace vd
