#include "app/ui/main/ConsoleParts.h"

#include "app/ui/main/MainWindow.h"

namespace vd {

TConsoleParts::TConsoleParts(TFVendrill& form) : FForm(form), FCapture(*this) {}

TConsoleParts::~TConsoleParts() {
    // Normally empty by now: the window's close stopped everything in order.
    FTitleSource.ClosePort();
    FEmailer.reset();
    FListeners.reset();
    FConnector.reset();
    FTitleSender.reset();
}

void TConsoleParts::CreateWorkers() {
    FTitleSender = std::make_unique<TTitleSender>();
    FConnector =
        std::make_unique<TConnector>([] { return static_cast<std::uint32_t>(CaptureChannel.load()); });
    FListeners = std::make_unique<TListeners>();
    FEmailer = std::make_unique<TEmailer>();
}

void TConsoleParts::StartWorkers() {
    if (FConnector) FConnector->Start();
    if (FListeners) FListeners->Start();
    if (FEmailer) FEmailer->Start();
    if (FTitleSender) FTitleSender->Start();
}

} // namespace vd
