#pragma once
// The GUI side of the streams, as functions the main window's tick and tool bar call: the state
// machine step, log hand-over, mail queueing, grid rows and the Play/Stop/Delete effects.
// GUI thread only; the records' run-time fields are atomic or guarded.
#include <array>
#include <cstdint>

#include "app/core/Log.h"
#include "app/core/StationRecord.h"
#include "platform/rtl/String.h"

namespace vd {

class TTitleSender;

// One step of a stream's state machine (DriverConnection). Online streams without Lost have their
// pending title sent by the title sender, which this wakes.
void DriverConnection(TStationRecord& station, std::uint64_t now, TTitleSender* titles = nullptr);
// DriverConnection for every stream in list order.
void UpdateStation(std::uint64_t now, TTitleSender* titles = nullptr);
// True when a stream in Connect has reached its reconnect time: the connector has work.
bool ConnectDue(std::uint64_t now);
// Capture restarted or station information changed: every Online stream connects again at once.
void RestartStreams();

// Writes the line that the connector or the engine left pending (LogPending/LastError).
void SynhroLog(TStationRecord& station);
// OutLog: a line into a log (cut to 128 characters; at most 255 lines, newest first).
void OutLog(const String& text, TLog& log);

// The per-stream work of the tick (ShowStation): the pending log line, a due mail into the mail
// queue, and, when the refresh time has come, the row texts (true: row holds new texts).
bool ShowStation(TStationRecord& station, std::uint64_t now, std::array<String, 7>& row);

// Tool bar effects on a record.
void OnPlay(TStationRecord& station);
void OnStop(TStationRecord& station);
// The editor's result for a listed stream: a changed configuration of an Online stream marks
// it Lost (restarted by the tick); a Lost already pending is never cleared by saving.
void ApplyStationEdit(TStationRecord& station, const TStationConfig& config);
// Delete is allowed for a stopped stream only; removes it from StationList and the settings file.
bool CanDelete(const TStationRecord& station);
bool DeleteStream(int index);

} // namespace vd
