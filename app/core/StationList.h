#pragma once
// The list of streams: index = row of the stream grid = settings section number - 1.
// The GUI thread changes it; worker threads walk a snapshot, so a record removed
// meanwhile stays alive until the walk that holds it ends.
#include "app/core/StationRecord.h"

#include <memory>
#include <mutex>
#include <vector>

namespace vd {

using TStationPtr = std::shared_ptr<TStationRecord>;

class TStationList {
public:
    int Count() const;
    // nullptr when the index is out of range.
    TStationPtr Items(int index) const;
    std::vector<TStationPtr> Snapshot() const;
    int IndexOf(const TStationRecord* record) const;

    int Add(TStationPtr record);
    // Removes the record (and frees it once no walk holds it); out of range does nothing.
    void Delete(int index);
    void Clear();

private:
    mutable std::mutex FLock;
    std::vector<TStationPtr> FItems;
};

// The program's one list of streams.
extern TStationList StationList;

} // namespace vd
