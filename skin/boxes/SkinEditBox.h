#pragma once
// A skinned box round an inner edit (the combo box, the spin edit): its face at the skin's height
// or stretched to any height, the active face while it is hot, and the box's own image painted
// behind the transparent inner edit.
#include "platform/vcl/Forward.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinCustomControl.h"

namespace vd {

class TskSkinEditBox : public TskSkinCustomControl {
public:
    bool UseSkinSize() const { return FUseSkinSize; }
    void SetUseSkinSize(bool Value);
    TColor DefaultColor() const { return FDefaultColor; }

    void CalcSize(int& W, int& H) override;
    void SetControlRegion() override;
    void Invalidate() override;
    bool SetProperty(const String& name, const TPropValue& value) override;

    // The record's active face.
    TRect activeskinrect;

protected:
    explicit TskSkinEditBox(TComponent* AOwner) : TskSkinCustomControl(AOwner) {}

    // The inner edit, while there is one.
    virtual TskCustomEdit* InnerEdit() const { return nullptr; }
    // The pointer over the box or the focus in it.
    virtual bool Hot() const = 0;
    // The face into Bitmap: at the skin's height the plain face, or while hot the active face
    // composed to the width with the ends Left and Right; at any other height the face for the
    // state stretched whole.
    void DrawFace(TBitmap& Bitmap, int Left, int Right);
    // What lies behind the transparent inner edit: this box's own image at the edit's place.
    void PaintEditBackground(HDC DC, const TRect& R);

    bool FUseSkinSize = true;
    TColor FDefaultColor = clWindow;

private:
    // In a member, so that UseSkinSize is stored as read, without its setter.
    static const TPropertyTable<TskSkinEditBox>& Properties();
};

} // namespace vd
