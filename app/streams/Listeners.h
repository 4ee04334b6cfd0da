#pragma once
// The listener thread: every 10 s per stream, the server's count of the stream's listeners.
#include <cstdint>

#include "app/core/StationRecord.h"
#include "app/streams/WorkerThread.h"

namespace vd {

class TListeners {
public:
    TListeners() : FWorker(std::chrono::milliseconds(250), [this] { Pass(); }) {}
    void Start() { FWorker.Start(); }
    void Terminate() { FWorker.Terminate(); }
    void WaitFor() { FWorker.WaitFor(); }
    bool Running() const { return FWorker.Running(); }

    static void PollStation(TStationRecord& station, std::uint64_t now);

private:
    void Pass();
    TWorkerThread FWorker;
};

} // namespace vd
