#pragma once
// What the windowed and the windowless skinned controls share, over either base class: the skin
// object they follow, the record lookup by name and the paint through one off-screen bitmap, in
// the plain look while no record is found.
#include "platform/rtl/String.h"
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/CustomControl.h"
#include "platform/vcl/GraphicControl.h"
#include "skin/core/Forward.h"
#include "skin/store/Forward.h"

namespace vd {

template <class TBase> class TskSkinControlBase : public TBase {
public:
    explicit TskSkinControlBase(TComponent* AOwner) : TBase(AOwner) {}

    TskSkinData* SkinData() const { return FSkinData; }
    // Applies the skin at once unless it is nil or empty.
    virtual void SetSkinData(TskSkinData* Value);
    int SkinIndex() const { return FSkinIndex; }
    bool Skinned() const { return FSkinIndex != -1; }

    // The lookup: -1 without a usable skin or record. Descendants copy their record's values.
    virtual void GetSkinData();
    virtual void CreateControlDefaultImage(TBitmap& Bitmap) { (void)Bitmap; }
    virtual void CreateControlSkinImage(TBitmap& Bitmap) { (void)Bitmap; }
    // The form frame calls it after a skin load.
    virtual void ChangeSkinData();
    // The form frame calls it before a skin load.
    virtual void ResetSkinIndex() { FSkinIndex = -1; }

    // Form resources: "SkinData" names the skin object.
    bool SetComponentProperty(const String& name, TComponent* value) override;

protected:
    void Paint() override;
    // The name the lookup searches the skin's control records for.
    virtual const String& RecordName() const = 0;
    // The record at the skin index, or null.
    TskDataSkinControl* SkinRecord() const;
    bool Designing() const { return (this->ComponentState() & csDesigning) != 0; }

    TComponentLink<TskSkinData> FSkinData{this};
    int FSkinIndex = -1;
};

extern template class TskSkinControlBase<TCustomControl>;
extern template class TskSkinControlBase<TGraphicControl>;

} // namespace vd
