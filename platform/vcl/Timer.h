#pragma once
// TTimer: OnTimer every Interval milliseconds through the message loop of its thread.
#include "platform/vcl/Component.h"

#include <cstdint>

namespace vd {

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned v);
    void SetOnTimer(TNotifyEvent handler);
    TNotifyEvent OnTimer;
    bool SetProperty(const String& name, const TPropValue& value) override;
    void GetProperties(TPropList& out) const override;

private:
    void UpdateTimer();
    bool FEnabled = true;
    unsigned FInterval = 1000;
    std::uintptr_t FId = 0;
};

} // namespace vd
