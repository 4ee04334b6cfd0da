#pragma once
// The skinned container: a framed face with an optional caption bar that shows a text, a picture,
// a check box (enabling the children) and a roll-up arrow (folding the panel to its caption).
#include "platform/vcl/Forward.h"
#include "platform/vcl/StdCtrls.h"
#include "skin/controls/SkinCustomControl.h"

#include <vector>

namespace vd {

enum TskSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };

class TskSkinPanel : public TskSkinCustomControl {
public:
    explicit TskSkinPanel(TComponent* AOwner);
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;
    ~TskSkinPanel() override;

    bool CaptionMode() const { return FCaptionMode; }
    virtual void SetCaptionMode(bool Value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    virtual void SetDefaultCaptionHeight(int Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    TskSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TskSkinBorderStyle Value);
    TBitmap& Glyph() { return FGlyph; }
    void SetGlyph(const TBitmap& Value);
    int NumGlyphs() const { return FNumGlyphs; }
    // Clamped to 1..2.
    void SetNumGlyphs(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TCustomImageList* CaptionImageList() const { return FCaptionImageList; }
    void SetCaptionImageList(TCustomImageList* Value);
    int CaptionImageIndex() const { return FCaptionImageIndex; }
    void SetCaptionImageIndex(int Value);
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool Value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    bool AutoEnabledControls = true;
    bool RollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool Value);
    bool RollUpState() const { return FRollUpState; }
    void SetRollUpState(bool Value);
    int RealHeight() const { return FRealHeight; }
    void SetRealHeight(int Value) { FRealHeight = Value; }
    int BgPictureIndex() const { return FBgPictureIndex; }
    // Where the skinned caption was last laid out (control coordinates).
    const TRect& CaptionArea() const { return FCaptionArea; }

    TNotifyEvent OnChecked;
    TNotifyEvent OnChangeRollUpState;

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void AdjustClientRect(TRect& Rect) override;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void ApplyRollUp(bool Up);
    int RolledHeight();
    void DrawSkinCaption(TCanvas& Canvas, TRect R);
    void TileClientPiece(TCanvas& Canvas, const TskBitmap& Tile, int W, int H);
    // The bar-less borderless face: the client piece tiled over everything.
    bool PlainTiled() const;

    bool FCaptionMode = false;
    int FDefaultCaptionHeight = 22;
    TAlignment FDefaultAlignment = taLeftJustify;
    TskSkinBorderStyle FBorderStyle = bvFrame;
    TBitmap FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    TComponentLink<TCustomImageList> FCaptionImageList{this};
    int FCaptionImageIndex = -1;
    bool FCheckedMode = false;
    bool FChecked = false;
    bool FRollUpMode = false;
    bool FRollUpState = false;
    int FRealHeight = -1;

    // The panel record's values.
    TRect captionrect, checkimagerect, uncheckimagerect, markframerect, framerect, frametextrect;
    TAlignment alignment = taLeftJustify;
    String fontname = "Arial";
    TFontStyles fontstyle = 0;
    int fontheight = 14;
    TColor fontcolor = 0;
    int FBgPictureIndex = -1;
    int frameleftoffset = 0, framerightoffset = 0;

    TRect FCaptionArea;
    TRect FCheckImageArea;
    TSizeConstraints FSavedConstraints;
    std::vector<TControl*> FRolledHidden;
};

class TskSkinGroupBox : public TskSkinPanel {
public:
    explicit TskSkinGroupBox(TComponent* AOwner);
};

// (0, 0, Width, Height) passed through the control's client-rect adjustment.
TRect GetAdjustedClientRect(TWinControl* Control);

} // namespace vd
