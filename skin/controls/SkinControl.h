#pragma once
// The windowed base of every skinned control: finds the control's skin record by name and paints
// the control through one off-screen bitmap, in the plain look while no record is found.
#include "platform/rtl/String.h"
#include "platform/vcl/CustomControl.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"

namespace vd {

class TskSkinControl : public TCustomControl {
public:
    explicit TskSkinControl(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;

    TskSkinData* SkinData() const { return FSkinData; }
    // Applies the skin at once unless it is nil or empty.
    virtual void SetSkinData(TskSkinData* Value);
    const String& SkinDataName() const { return FSkinDataName; }
    virtual void SetSkinDataName(const String& Value) { FSkinDataName = Value; }
    int SkinIndex() const { return FSkinIndex; }
    bool Skinned() const { return FSkinIndex != -1; }
    bool InsidePaint() const { return FInsidePaint; }

    // The lookup: -1 without a usable skin or record. Descendants copy their record's values.
    virtual void GetSkinData();
    virtual void CreateControlDefaultImage(TBitmap& Bitmap) { (void)Bitmap; }
    virtual void CreateControlSkinImage(TBitmap& Bitmap) { (void)Bitmap; }
    // The form frame calls it after a skin load.
    virtual void ChangeSkinData();
    // The form frame calls it before a skin load.
    virtual void ResetSkinIndex() { FSkinIndex = -1; }

    void WndProc(TMessage& Message) override;
    // Form resources: "SkinData" names the skin object.
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The record at the skin index, or null.
    TskDataSkinControl* SkinRecord() const;
    bool Designing() const { return (ComponentState() & csDesigning) != 0; }
    // Controls that answer an erase outside their own paint by painting themselves into it.
    virtual bool PaintsOnErase() const { return false; }

    TskSkinData* FSkinData = nullptr;
    String FSkinDataName;
    int FSkinIndex = -1;
    bool FInsidePaint = false;
};

} // namespace vd
