#pragma once
// Every view of the main window. The window builds them after its components exist, in this order:
//
//   TMeterView      Meter(Led);
//   TLogView        Logs(SGLog);                     // owns the main log
//   TStreamGridView Streams(SGStreams);
//   TDeviceStarter  Device(Timer, LabDevice, Meter, Logs, [this] { Tick.TimerWork(); });
//   TStreamActions  Actions({SBAdd, SBEdit, SBDelete, SBPlayStop, SBPlay, SBStop}, Streams, Logs,
//                           EditStation, ConfirmWithMessageBox(MSG));
//   TConsoleTick    Tick({&Device, &Streams, &Logs, &Titles, &TitleSender, StatusPan,
//                         resumeThreads, minimizeToTray});
//
// and wires:
//   Led click -> Device.LedClick();            PanLedResize -> Device.ResizeMeter(w, h);
//   LabDevice click -> Logs.ShowMainLog();     SGStreams click -> Actions.SGStreamsClick();
//   Pan_StreamsResize -> Streams.AutoSizeColumns();  Pan_LogResize -> Logs.AutoSizeColumns();
//   settings confirmed -> Device.SettingsConfirmed();
//   after a translation -> Device.ReapplyDeviceLabel(); Logs.ShowLog();
// At creation: Streams.SetColumnWidths(); Device.DrawMeterScale(); Streams.ShowStations();
// Device.StartDevice(); Actions.SGStreamsClick(); Logs.ShowMainLog().
// At shut-down: Device.StopRecord(), and SleepAndPump for the waits.
#include "app/ui/console/ConsoleTick.h"
#include "app/ui/console/DeviceStarter.h"
#include "app/ui/console/LogView.h"
#include "app/ui/console/MeterView.h"
#include "app/ui/console/SleepAndPump.h"
#include "app/ui/console/StreamActions.h"
#include "app/ui/console/StreamGridView.h"
