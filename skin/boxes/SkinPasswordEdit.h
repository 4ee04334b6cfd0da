#pragma once
// The skinned password field: it keeps its own text, caret and selection and draws every
// character as a mask glyph, so the plain text never becomes a window text; no copy or cut.
// Positions count whole characters.
#include "platform/vcl/StdCtrls/Edit.h"
#include "skin/controls/SkinCustomControl.h"

#include <string>

namespace vd {

enum TskPasswordKind { pkRoundRect, pkRect, pkTriangle };

class TskSkinPasswordEdit : public TskSkinCustomControl {
public:
    explicit TskSkinPasswordEdit(TComponent* AOwner);

    // The plain text.
    String Text() const;
    void SetText(const String& Value) override;
    int CaretPosition() const { return FCaret; }
    void SetCaretPosition(int P);
    int SelStart() const;
    int SelLength() const;
    void SetSelStart(int S);
    void SetSelLength(int N);
    int FirstVisible() const { return FFirst; }
    void SelectAll();
    void SelectWord();
    void ClearSelection();
    void PasteFromClipboard();
    void InsertText(const std::u32string& S);

    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    bool AutoSelect = true;
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    int MaxLength = 0;
    bool ReadOnly = false;
    TskPasswordKind PasswordKind() const { return FKind; }
    void SetPasswordKind(TskPasswordKind Value);
    TAlignment TextAlignment() const { return FAlignment; }
    void SetTextAlignment(TAlignment Value);
    TNotifyEvent OnChange;

    TRect GetEditRect();
    TRect GetSelectionRect();
    int CellWidth();
    int CharX(int I);
    int CharAtX(int X);

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void CalcSize(int& W, int& H) override;
    void Dispatch(TMessage& Message) override;
    bool SetProperty(const String& name, const TPropValue& value) override;

protected:
    virtual void Change();
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;

private:
    void SetTextU(std::u32string Value);
    void ClampSelection();
    void ScrollToCaret();
    void ReCreateCaret();
    int NextWordPos(int P) const;
    int PrevWordPos(int P) const;
    void PaintText(TCanvas& Canvas);
    void DrawPasswordChar(TCanvas& Canvas, TRect Cell, bool Selected);
    bool HasFocus() const { return HandleAllocated() && Focused(); }

    std::u32string FText;
    TColor FDefaultColor = clWindow;
    bool FMouseIn = false, FMouseSelecting = false;
    int FCaret = 0, FSelStart = 0, FSelLength = 0, FFirst = 1;
    TEditCharCase FCharCase = ecNormal;
    bool FHideSelection = true;
    TskPasswordKind FKind = pkRoundRect;
    TAlignment FAlignment = taLeftJustify;

public:
    int LeftOffset = 0, RightOffset = 0;
    TRect activeskinrect;
    TColor fontcolor = 0, activefontcolor = 0, disabledfontcolor = 0;
};

} // namespace vd
