#pragma once
// The windowless twin of TskSkinControl: the same record lookup and off-screen paint for controls
// without a window of their own (the speed buttons).
#include "platform/rtl/String.h"
#include "platform/vcl/GraphicControl.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"

namespace vd {

class TskGraphicSkinControl : public TGraphicControl {
public:
    explicit TskGraphicSkinControl(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

    TskSkinData* SkinData() const { return FSkinData; }
    virtual void SetSkinData(TskSkinData* Value);
    String SkinDataName;
    int SkinIndex() const { return FSkinIndex; }
    bool Skinned() const { return FSkinIndex != -1; }

    virtual void GetSkinData();
    virtual void CreateControlDefaultImage(TBitmap& Bitmap) { (void)Bitmap; }
    virtual void CreateControlSkinImage(TBitmap& Bitmap) { (void)Bitmap; }
    virtual void ChangeSkinData();
    virtual void ResetSkinIndex() { FSkinIndex = -1; }

protected:
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    TskDataSkinControl* SkinRecord() const;
    bool Designing() const { return (ComponentState() & csDesigning) != 0; }

    TskSkinData* FSkinData = nullptr;
    int FSkinIndex = -1;
};

} // namespace vd
