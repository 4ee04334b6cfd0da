#include "app/streams/Listeners.h"

#include "app/core/Engine.h"
#include "app/core/StationList.h"
#include "app/streams/ListenerStats.h"
#include "platform/audio/cast/CastApi.h"

namespace vd {

void TListeners::Pass() {
    std::uint64_t now = MillisecondClock();
    for (const TStationPtr& station : StationList.Snapshot())
        PollStation(*station, now);
}

void TListeners::PollStation(TStationRecord& s, std::uint64_t now) {
    if (now < s.NextPoll) return;
    s.NextPoll = now + 10000;
    std::int32_t mode = s.Config().Mode;
    if (mode == smDirect) return; // counted by the client callback
    int count = 0;
    bool online = s.State == ssOnline;
    if (!online) s.MaxListeners = 0;
    try {
        std::uint32_t encoder = s.Encoder;
        if (online && encoder != 0) {
            bool icecast = mode == smIcecast;
            const char* text = audio::AE_Encode_CastGetStats(
                encoder, icecast ? audio::AE_ENCODE_STATS_ICECAST : audio::AE_ENCODE_STATS_SHOUTCAST,
                nullptr);
            if (text) count = ListenerCountFromStats(text, icecast);
        }
    } catch (...) {
        count = 0;
    }
    s.Listeners = count;
    if (count > s.MaxListeners) s.MaxListeners = count;
}

} // namespace vd
