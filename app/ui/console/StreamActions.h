#pragma once
// The stream tool bar and the stream grid's selection: Add, Edit, Delete and the Play/Stop button
// that follows the selected stream. GUI thread only.
#include "app/core/StationList.h"
#include "platform/rtl/String.h"
#include "skin/controls/Forward.h"

#include <functional>

namespace vd {

class TLogView;
class TStreamGridView;
class TskSkinMessage;

struct TStreamButtons {
    TskSkinSpeedButton* Add = nullptr;
    TskSkinSpeedButton* Edit = nullptr;
    TskSkinSpeedButton* Delete = nullptr;
    TskSkinSpeedButton* PlayStop = nullptr;
    TskSkinSpeedButton* Play = nullptr; // hidden holders of the two glyphs
    TskSkinSpeedButton* Stop = nullptr;
};

class TStreamActions {
public:
    // The stream editor: index -1 adds a stream; true when the user saved.
    using TEditStation = std::function<bool(int index)>;
    // A Yes/No question; true on Yes.
    using TConfirm = std::function<bool(const String& text)>;
    // Why no stream can start now (the input device's message), empty while capture runs.
    using TCaptureProblem = std::function<String()>;

    // Sets the click handlers of Add, Edit and Delete; Play/Stop starts as Play.
    TStreamActions(const TStreamButtons& buttons, TStreamGridView& streams, TLogView& logs,
                   TEditStation editStation, TConfirm confirm);

    // SGStreamsClick: Edit, Delete and Play/Stop follow the selected stream, whose log is shown.
    void SGStreamsClick();
    void SBAddClick();
    void SBEditClick();
    void SBDeleteClick();
    void OnPlayClick();
    void OnStopClick();
    void SetCaptureProblem(TCaptureProblem problem) { FCaptureProblem = std::move(problem); }

    // Play/Stop shows Stop (true) or Play and runs the matching handler.
    bool ShowsStop() const { return FShowsStop; }

    static constexpr const char* DeleteQuestion = "Delete current stream?";
    static constexpr const char* NoCaptureText = "Waiting for the input device: ";

private:
    void SetPlayStop(bool stop);
    void ShowRow(const TStationPtr& station);

    TStreamButtons FButtons;
    TStreamGridView& FStreams;
    TLogView& FLogs;
    TEditStation FEditStation;
    TConfirm FConfirm;
    TCaptureProblem FCaptureProblem;
    bool FShowsStop = false;
};

// Asks through the window's message box (confirmation, Yes and No).
TStreamActions::TConfirm ConfirmWithMessageBox(TskSkinMessage* msg);

} // namespace vd
