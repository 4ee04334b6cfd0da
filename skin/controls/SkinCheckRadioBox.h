#pragma once
// The skinned check box and radio box in one class: three states, exclusive groups among
// siblings by GroupIndex, a flat look over the parent's background or a face of its own.
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Timer.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinEffects.h"

#include <memory>

namespace vd {

class TskSkinCheckRadioBox : public TskSkinCustomControl {
public:
    explicit TskSkinCheckRadioBox(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool Radio() const { return FRadio; }
    void SetRadio(bool Value);
    int GroupIndex = 0;
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool MouseIn() const { return FMouseIn; }

    virtual void DoClick();
    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void ChangeSkinData() override;
    void CalcSize(int& W, int& H) override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;

protected:
    bool PaintsOnErase() const override { return !FFlat; }
    void Paint() override;
    // OnClick follows the state writers only, never the plain mouse click.
    void Click() override {}
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void ActionChange(TBasicAction* Sender) override;
    void FireClick();
    void UncheckGroup();
    void StateChanged();
    bool CanMorph() const;
    bool FocusedLook() const { return FCanFocused && HandleAllocated() && Focused(); }
    TRect CheckImage() const;
    void DrawSkinFace(TBitmap& Bitmap, const TRect& Face, bool Active);
    void DrawFlat(TCanvas& Canvas);
    void DrawBoxAndMark(TCanvas& Canvas, int H);
    void CaptionFont(TCanvas& Canvas);

    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
    bool FChecked = false;
    bool FRadio = false;
    TComponentLink<TCustomImageList> FImages{this};
    int FImageIndex = 0;
    bool FFlat = true;
    bool FCanFocused = true;
    bool FMouseIn = false;
    bool FClickFocusing = false;
    bool FClicksDisabled = false;
    TskMorph FMorph;
    TRect FCheckImageRect, FCaptionRect;

    String fontname = "Arial";
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0, activefontcolor = 0, unenabledfontcolor = 0, framefontcolor = 0;
    TRect activeskinrect, checkimagearea, textarea, checkimagerect, uncheckimagerect, activecheckimagerect,
        activeuncheckimagerect, unenabledcheckimagerect, unenableduncheckimagerect;
    bool morphing = false;
    int morphkind = 0;
};

} // namespace vd
