#include "app/ui/console/StreamActions.h"

#include "app/core/StationList.h"
#include "app/streams/StreamConsole.h"
#include "app/streams/StreamTexts.h"
#include "app/ui/console/LogView.h"
#include "app/ui/console/StreamGridView.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/extra/dialogs/SkinMessage.h"

namespace vd {

TStreamActions::TStreamActions(const TStreamButtons& buttons, TStreamGridView& streams, TLogView& logs,
                               TEditStation editStation, TConfirm confirm)
    : FButtons(buttons), FStreams(streams), FLogs(logs), FEditStation(std::move(editStation)),
      FConfirm(std::move(confirm)) {
    if (FButtons.Add) FButtons.Add->OnClick = [this](TObject*) { SBAddClick(); };
    if (FButtons.Edit) FButtons.Edit->OnClick = [this](TObject*) { SBEditClick(); };
    if (FButtons.Delete) FButtons.Delete->OnClick = [this](TObject*) { SBDeleteClick(); };
    // One handler that runs the one the button shows: replacing OnClick from inside a click
    // would free the handler that is running.
    if (FButtons.PlayStop)
        FButtons.PlayStop->OnClick = [this](TObject*) {
            if (FShowsStop)
                OnStopClick();
            else
                OnPlayClick();
        };
    SetPlayStop(false);
}

void TStreamActions::SetPlayStop(bool stop) {
    TskSkinSpeedButton* button = FButtons.PlayStop;
    if (!button) return;
    TskSkinSpeedButton* holder = stop ? FButtons.Stop : FButtons.Play;
    if (holder && (FShowsStop != stop || button->Glyph().Empty())) {
        button->SetNumGlyphs(holder->NumGlyphs());
        button->SetGlyph(holder->Glyph());
    }
    FShowsStop = stop;
}

void TStreamActions::SGStreamsClick() {
    const int index = FStreams.SelectedIndex();
    const TStationPtr station = index < 0 ? nullptr : StationList.Items(index);
    if (FButtons.Edit) FButtons.Edit->SetEnabled(station != nullptr);
    if (!station) {
        if (FButtons.Delete) FButtons.Delete->SetEnabled(false);
        // A deleted stream's log is not shown on.
        if (!FLogs.ShowsMainLog() && StationList.IndexOf(FLogs.ActiveStation().get()) < 0)
            FLogs.ShowMainLog();
        return;
    }
    const bool stopped = station->State == ssStop;
    SetPlayStop(!stopped);
    if (FButtons.Delete) FButtons.Delete->SetEnabled(stopped);
    FLogs.ShowStationLog(station);
}

void TStreamActions::SBAddClick() {
    if (!FEditStation || !FEditStation(-1)) return;
    FStreams.ShowStations();
    SGStreamsClick();
}

void TStreamActions::SBEditClick() {
    const int index = FStreams.SelectedIndex();
    if (index < 0) return;
    if (FEditStation) FEditStation(index);
    FStreams.ShowStations();
    SGStreamsClick();
}

void TStreamActions::SBDeleteClick() {
    const TStationPtr station = FStreams.Selected();
    if (!station) return;
    if (!FConfirm || !FConfirm(DeleteQuestion)) return;
    // The ticks went on while the question was open: the stream is found again, and one that
    // was started meanwhile stays.
    const int index = StationList.IndexOf(station.get());
    if (index >= 0) DeleteStream(index);
    FStreams.ShowStations();
    SGStreamsClick();
}

void TStreamActions::OnPlayClick() {
    if (const TStationPtr station = FStreams.Selected()) {
        OnPlay(*station);
        // Without capture the stream waits in Connect until a device runs; the user is told why.
        const String problem = FCaptureProblem ? FCaptureProblem() : String();
        if (!problem.empty())
            FLogs.OutLog(StreamMessageText("NoCaptureDevice", NoCaptureText) + problem, station->Log());
        ShowRow(station);
    }
    SGStreamsClick();
}

void TStreamActions::OnStopClick() {
    if (const TStationPtr station = FStreams.Selected()) {
        OnStop(*station);
        FLogs.RefreshIfChanged();
        ShowRow(station);
    }
    SGStreamsClick();
}

void TStreamActions::ShowRow(const TStationPtr& station) {
    // At once: the tick that rewrites rows does not run while no capture ever started.
    const int index = StationList.IndexOf(station.get());
    if (index >= 0) FStreams.WriteRow(index, StationRowTexts(*station));
}

TStreamActions::TConfirm ConfirmWithMessageBox(TskSkinMessage* msg) {
    return [msg](const String& text) {
        return msg && msg->ShowMessageDialog(text, skmtConfirmation, SkBtn(skmbYes) | SkBtn(skmbNo), 0) == 6;
    };
}

} // namespace vd
