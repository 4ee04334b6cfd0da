#pragma once
// What the main window runs and shows besides its components: the worker threads, the title
// port and the title sender (owned here, stopped in order at shut-down), the capture, and the
// views of the meter, the grids and the tick that the window's handlers call.
#include "app/capture/Capture.h"
#include "app/streams/Connector.h"
#include "app/streams/Listeners.h"
#include "app/streams/Mailer.h"
#include "app/streams/Titles.h"

#include <memory>

namespace vd {

class TFVendrill;
class TLog;

class TConsoleParts : public TCaptureView {
public:
    explicit TConsoleParts(TFVendrill& form);
    ~TConsoleParts() override;
    TConsoleParts(const TConsoleParts&) = delete;
    TConsoleParts& operator=(const TConsoleParts&) = delete;

    // The workers: made idle by the window's creation, started by the first tick.
    void CreateWorkers();
    void StartWorkers();
    TConnector* Connector() const { return FConnector.get(); }
    TListeners* Listeners() const { return FListeners.get(); }
    TEmailer* Emailer() const { return FEmailer.get(); }
    TTitleSender* TitleSender() const { return FTitleSender.get(); }
    TTitleSource& TitleSource() { return FTitleSource; }
    void FreeListeners() { FListeners.reset(); }
    void FreeConnector() { FConnector.reset(); }
    void FreeEmailer() { FEmailer.reset(); }
    void FreeTitleSender() { FTitleSender.reset(); }
    TCapture& Capture() { return FCapture; }

    // The views the window's handlers call.
    void WriteMainLog(const String& text) override;
    void ResetMeter();
    void ShowPlayGlyph();
    void InitPlugins();
    void StartPlugins();
    void ShowStations();
    void StartDevice();
    void TimerTick();
    void SGStreamsClick();
    void SetActiveLog(TLog* log);
    void LabDeviceClick();
    void LedClick();
    void PanLedResize();
    void AutoSizeStreamColumns();
    void AutoSizeLogColumns();
    void SBAddClick();
    void SBEditClick();
    void SBDeleteClick();
    void SBPlayStopClick();
    bool ShowSettings();
    void ShowPluginsWindow();
    void StopRecord();
    // Waits while the GUI keeps answering (the shut-down's waits).
    void SleepAndPump(unsigned ms);

    // TCaptureView.
    void SetDeviceLabel(const String& text) override;
    bool ShowWaitMessage(const String& text) override;
    void CloseWaitMessage() override;
    TSize MeterSize() override;
    void PaintMeter(const TMeterPaint& paint) override;

private:
    void TimerWork();
    void ShowLog();

    TFVendrill& FForm;
    TCapture FCapture;
    TTitleSource FTitleSource;
    std::unique_ptr<TTitleSender> FTitleSender;
    std::unique_ptr<TConnector> FConnector;
    std::unique_ptr<TListeners> FListeners;
    std::unique_ptr<TEmailer> FEmailer;
};

} // namespace vd
