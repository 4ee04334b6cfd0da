#pragma once
// One stream: its configuration (edited by the stream editor, stored in a "StreamNNN"
// section) and its run-time state, shared between the GUI thread, the worker threads
// and the audio engine's callbacks.
#include "app/core/SharedText.h"
#include "platform/rtl/String.h"
#include "platform/rtl/Types.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace vd {

class TLog;

enum TStationState : Byte { ssStop = 0, ssConnect = 1, ssDelay = 2, ssOnline = 3 };

// Values of TStationConfig::Mode, Title, Type and Channels.
enum TStationMode : std::int32_t { smShoutcast1 = 0, smShoutcast2 = 1, smIcecast = 2, smDirect = 3 };
enum TStationTitleMode : std::int32_t { stmDisable = 0, stmAnsi = 1, stmUtf8 = 2 };
enum TStationCodec : std::int32_t { scMp3 = 0, scOgg = 1, scAac = 2, scAacPlus = 3 };

// Longest texts a stream keeps; longer ones are cut when stored.
inline constexpr std::size_t StationUrlLength = 192;
inline constexpr std::size_t StationUserLength = 64;
inline constexpr std::size_t StationPasswordLength = 64;
inline constexpr std::size_t StationAllowIPLength = 192;
inline constexpr std::size_t StationIDLength = 64;
inline constexpr std::size_t StationTextLength = 255; // MailText, PendingTitle

// The configuration part: what the editor copies as one block and what the settings file holds.
struct TStationConfig {
    std::int32_t Mode = 0;
    String URL;
    std::int32_t Port = 0;
    String User;
    String Password; // plain in memory, scrambled in the file
    String AllowIP;
    String ID;
    std::int32_t Title = 0;
    std::int32_t Type = 0;
    std::int32_t Buffer = 0; // KB, own-port streams only
    std::int32_t Bitrate = 0;
    std::int32_t Channels = 0; // 0 stereo, 1 mono
    bool Public = false;
    bool Auto = false;
    bool LockFreq = false;

    friend bool operator==(const TStationConfig&, const TStationConfig&) = default;
};

// Configuration fields: once a record is in StationList the GUI thread changes them only through
// SetConfig() and may read them directly; every other thread takes a copy with Config().
// Run-time fields are atomic or guarded texts.
class TStationRecord : public TStationConfig {
public:
    TStationRecord();
    ~TStationRecord();
    TStationRecord(const TStationRecord&) = delete;
    TStationRecord& operator=(const TStationRecord&) = delete;

    // A consistent copy of the configuration part; any thread.
    TStationConfig Config() const;
    // Replaces the configuration part (GUI thread), cutting texts to their lengths.
    void SetConfig(const TStationConfig& config);

    // The stream's own log, created on first use; GUI thread only.
    TLog& Log();
    bool HasLog() const { return FLog != nullptr; }
    void FreeLog();

    // Groups that are always cleared together.
    void ClearReconnect(); // ReconnectTime, RetryCount, Lost
    void ClearMail();      // MailDeadline, MailErrorState, MailText
    void ClearRefresh();   // NextRefresh, BytesSent

    std::atomic<TStationState> State{ssStop};
    std::atomic<DWord> Encoder{0};          // encoder handle, 0 when none runs
    std::atomic<std::uint64_t> NextPoll{0}; // MillisecondClock time of the next listener poll
    std::atomic<std::int32_t> Listeners{0};
    std::atomic<std::int32_t> MaxListeners{0};
    std::atomic<std::uint64_t> ReconnectTime{0}; // no new attempt before this time
    std::atomic<std::int32_t> RetryCount{0};
    std::atomic<bool> Lost{false};              // the running cast must be restarted
    std::atomic<std::uint64_t> MailDeadline{0}; // 0 = no notification armed
    std::atomic<bool> MailErrorState{false};
    TSharedText MailText;
    std::atomic<std::uint64_t> NextRefresh{0};
    std::atomic<std::uint64_t> BytesSent{0};
    TSharedText PendingTitle;               // empty = nothing to send
    std::atomic<std::int32_t> LastError{0}; // 0 = the last start succeeded
    std::atomic<bool> LogPending{false};    // a log line for LastError waits for the GUI thread

private:
    mutable std::mutex FConfigLock;
    std::unique_ptr<TLog> FLog;
};

} // namespace vd
