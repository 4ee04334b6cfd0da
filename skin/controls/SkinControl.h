#pragma once
// The windowed base of every skinned control: the shared record lookup and off-screen paint, the
// record's name as a property, and an erase that never flickers under the paint.
#include "skin/controls/SkinControlBase.h"

namespace vd {

class TskSkinControl : public TskSkinControlBase<TCustomControl> {
public:
    explicit TskSkinControl(TComponent* AOwner) : TskSkinControlBase(AOwner) {}

    const String& SkinDataName() const { return FSkinDataName; }
    virtual void SetSkinDataName(const String& Value) { FSkinDataName = Value; }
    // Form resources: "SkinDataName" names the record.
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool InsidePaint() const { return FInsidePaint; }

    void WndProc(TMessage& Message) override;

protected:
    const String& RecordName() const override { return FSkinDataName; }
    // Controls that answer an erase outside their own paint by painting themselves into it.
    virtual bool PaintsOnErase() const { return false; }

    String FSkinDataName;
    bool FInsidePaint = false;
};

} // namespace vd
