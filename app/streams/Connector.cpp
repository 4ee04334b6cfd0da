#include "app/streams/Connector.h"

#include <algorithm>

#include "app/core/AppSettings.h"
#include "app/core/Engine.h"
#include "app/core/StationList.h"
#include "app/core/StationStore.h"
#include "app/streams/EncoderLine.h"
#include "app/streams/Mailer.h"
#include "platform/audio/AudioEngine.h"
#include "platform/audio/cast/CastApi.h"

namespace vd {

using namespace vd::audio;

void TConnector::Pass() {
    std::uint64_t now = MillisecondClock();
    // A snapshot: a record deleted meanwhile stays alive until this pass is done.
    for (const TStationPtr& station : StationList.Snapshot())
        if (station->State == ssConnect) ConnectStation(*station, now);
}

void TConnector::ScheduleReconnect(TStationRecord& s) {
    std::int32_t retry = std::clamp<std::int32_t>(s.RetryCount, 0, 6);
    s.ReconnectTime = MillisecondClock() + static_cast<std::uint64_t>(retry) * 5000;
    s.RetryCount = retry + 1;
}

void TConnector::RecordError(TStationRecord& s, int code) {
    // One log line per distinct code.
    if (s.LastError.exchange(code) != code) s.LogPending = true;
}

void TConnector::Fail(TStationRecord& s, std::uint64_t now, bool encoderStarted) {
    int code = AE_ErrorGetCode();
    if (s.State != ssStop) {
        RecordError(s, code == 0 ? AE_ERROR_UNKNOWN : code);
        ScheduleMail(s, now, CopyAppSettings());
    }
    if (encoderStarted) StopStationEncoder(s, true);
    TStationState expected = ssConnect;
    if (encoderStarted) {
        if (s.State.load() == ssConnect) ScheduleReconnect(s);
        s.State.compare_exchange_strong(expected, ssDelay); // a Stop pressed meanwhile stays
    }
}

bool TConnector::StartCast(TStationRecord& s, std::uint32_t encoder, const TStationConfig& c,
                           const String& contentType) {
    AE_SetConfig(AE_CONFIG_NET_TIMEOUT, 10000);
    AE_SetConfig(AE_CONFIG_ENCODE_CAST_TIMEOUT, 10000);
    if (c.Mode == smDirect) {
        // The last server's listeners all left when it was freed: counting starts afresh.
        s.Listeners = 0;
        s.MaxListeners = 0;
        std::uint32_t buffer = static_cast<std::uint32_t>(std::max(1, c.Buffer)) * 1024;
        return AE_Encode_ServerInit(encoder, std::to_string(c.Port).c_str(), buffer, buffer,
                                    AE_ENCODE_SERVER_META, ServerClientCallback, &s) != 0;
    }
    TAppSettings settings = CopyAppSettings();
    // The settings are in the system code page, UTF-8 already: InfoUTF8 needs no conversion.
    bool texts = c.Title != stmDisable;
    String headers = ShoutcastHeaders(c, settings);
    return AE_Encode_CastInit(encoder, StationServerAddress(s).c_str(), StationServerPassword(s).c_str(),
                              contentType.c_str(), texts ? settings.InfoName.c_str() : nullptr,
                              settings.InfoURL.c_str(), texts ? settings.InfoGenre.c_str() : nullptr,
                              texts ? settings.InfoDesc.c_str() : nullptr,
                              headers.empty() ? nullptr : headers.c_str(),
                              static_cast<std::uint32_t>(std::max(0, c.Bitrate)), c.Public);
}

void TConnector::ConnectStation(TStationRecord& s, std::uint64_t now) {
    std::uint32_t channel = FChannel ? FChannel() : 0;
    if (channel == 0 || now < s.ReconnectTime) return;
    TStationConfig c = s.Config();
    TAppSettings settings = CopyAppSettings();
    TEncoderLine line = EncoderCommandLine(c, settings.Sample);
    s.NextPoll = now + 10000;
    s.NextRefresh = now + 500;
    s.BytesSent = 0;
    // A missing encoder program stops the stream like a failed start, with a log line naming it.
    const bool runnable = line.MissingProgram.empty();
    std::uint32_t encoder =
        runnable ? AE_Encode_Start(channel, line.CommandLine.c_str(), 0x40001, EncoderCallback, &s) : 0;
    if (runnable && encoder == 0 && AE_ErrorGetCode() == AE_ERROR_HANDLE &&
        (FChannel ? FChannel() : 0) != channel)
        return; // the capture restarted meanwhile: the stream stays in Connect for the new channel
    if (encoder == 0) {
        RecordError(s, runnable ? AE_ErrorGetCode() : EncoderMissingError);
        s.LogPending = true;
        TStationState expected = ssConnect;
        s.State.compare_exchange_strong(expected, ssStop);
        ScheduleMail(s, now, settings);
        return;
    }
    s.Encoder = encoder;
    bool started;
    try {
        started = s.State == ssConnect && StartCast(s, encoder, c, line.ContentType);
    } catch (...) {
        // What this attempt started ends with it; the stream tries again after its back-off.
        StopStationEncoder(s, true);
        TStationState expected = ssConnect;
        if (s.State.compare_exchange_strong(expected, ssDelay)) ScheduleReconnect(s);
        throw;
    }
    if (!started) {
        Fail(s, now, true);
        return;
    }
    s.ClearReconnect();
    s.NextRefresh = now + 250;
    s.NextPoll = now + 10000;
    s.LastError = 0;
    s.LogPending = true;
    ScheduleMail(s, now, settings);
    AE_Encode_SetNotify(encoder, NotifyCallback, &s);
    TStationState expected = ssConnect;
    if (!s.State.compare_exchange_strong(expected, ssOnline)) {
        // Stop was pressed while we connected: nothing may keep running.
        StopStationEncoder(s);
        s.LogPending = false;
        return;
    }
    // A cast that died before the notify was set is not lost on us.
    if (!AE_Encode_CastIsAlive(encoder)) NotifyCallback(encoder, AE_ENCODE_NOTIFY_CAST, &s);
}

void StopStationEncoder(TStationRecord& s, bool keepBackOff) {
    std::uint32_t encoder = s.Encoder.exchange(0);
    if (encoder != 0) {
        AE_Encode_CastFree(encoder);
        AE_Encode_Stop(encoder);
    }
    if (!keepBackOff) s.ClearReconnect();
}

void EncoderCallback(std::uint32_t, std::uint32_t, const void*, std::uint32_t length, void* user) {
    auto* s = static_cast<TStationRecord*>(user);
    if (s->State == ssOnline) s->BytesSent += length;
}

void NotifyCallback(std::uint32_t, std::uint32_t status, void* user) {
    int code;
    switch (status) {
    case AE_ENCODE_NOTIFY_ENCODER:
        code = 257;
        break;
    case AE_ENCODE_NOTIFY_CAST:
        code = 258;
        break;
    case AE_ENCODE_NOTIFY_CAST_TIMEOUT:
        code = 259;
        break;
    case AE_ENCODE_NOTIFY_SERVER_SPACE:
        code = 260;
        break;
    case AE_ENCODE_NOTIFY_FREE:
        code = 261;
        break;
    default:
        return;
    }
    auto* s = static_cast<TStationRecord*>(user);
    if (s->State != ssOnline) return;
    s->LastError = code;
    s->LogPending = true;
    s->Lost = true;
}

bool ServerClientCallback(std::uint32_t, bool connect, const char* client, const char*, void* user) {
    auto* s = static_cast<TStationRecord*>(user);
    if (!connect) {
        s->Listeners.fetch_sub(1);
        return true;
    }
    if (!MatchAllowedAddress(client ? client : "", s->Config().AllowIP)) return false;
    std::int32_t now = s->Listeners.fetch_add(1) + 1;
    std::int32_t max = s->MaxListeners.load();
    while (now > max && !s->MaxListeners.compare_exchange_weak(max, now)) {
    }
    return true;
}

} // namespace vd
