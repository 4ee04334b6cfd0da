#pragma once
// The skinned numeric field: an inner number edit for typing, two arrow buttons with auto-repeat
// and a Value kept as a double, clamped to MinValue..MaxValue when MaxValue >= MinValue, shown
// as an integer or as fixed-point text.
#include "skin/boxes/SkinButtonBox.h"
#include "skin/boxes/SkinEditBox.h"
#include "skin/controls/SkinButtonPictures.h"

namespace vd {

enum TskValueType { vtInteger, vtFloat };

class TskSkinSpinEdit : public TskButtonBox<TskSkinEditBox> {
public:
    explicit TskSkinSpinEdit(TComponent* AOwner);
    ~TskSkinSpinEdit() override;

    TskSkinNumEdit* Edit() const { return FEdit; }
    double Value() const { return FValue; }
    void SetValue(double X);
    double MinValue() const { return FMinValue; }
    void SetMinValue(double V);
    double MaxValue() const { return FMaxValue; }
    void SetMaxValue(double V);
    double Increment() const { return FIncrement; }
    void SetIncrement(double V) { FIncrement = V; }
    TskValueType ValueType() const { return FValueType; }
    void SetValueType(TskValueType V);
    int Decimal = 2;
    void SetDefaultColor(TColor V);
    bool EditorEnabled() const { return FEdit->EditorEnabled; }
    void SetEditorEnabled(bool V) { FEdit->EditorEnabled = V; }
    int MaxLength() const { return FEdit->MaxLength(); }
    void SetMaxLength(int V) { FEdit->SetMaxLength(V); }
    void StepUp();
    void StepDown();
    double ClampValue(double X) const;
    String ValueText(double X) const;
    // The typed text's shape: an optional leading minus, digits, and in float mode one decimal
    // separator that is not the first character.
    bool IsValidText(const String& T) const;

    TNotifyEvent OnChange, OnEditEnter, OnEditExit;
    TKeyEvent OnEditKeyDown, OnEditKeyUp;
    TKeyPressEvent OnEditKeyPress;

    const Button& Buttons(int I) const { return FButtons[I]; }
    void CalcLayout();

    void GetSkinData() override;
    void CreateControlDefaultImage(TBitmap& Bitmap) override;
    void CreateControlSkinImage(TBitmap& Bitmap) override;
    void ChangeSkinData() override;
    void DefaultFontChanged() override;
    void Dispatch(TMessage& Message) override;
    bool SetProperty(const String& name, const TPropValue& value) override;

protected:
    virtual void EditKeyDown(Word& Key, TShiftState Shift);
    virtual void EditKeyUp(Word& Key, TShiftState Shift);
    virtual void EditKeyPress(TKeyChar& Key);
    virtual void EditEnter();
    virtual void EditExit();
    virtual void Change();

private:
    void TextChanged();
    void SetInnerText(const String& S);
    void ApplyFontColor();
    void Step(int I) { I == 0 ? StepUp() : StepDown(); }
    TskCustomEdit* InnerEdit() const override { return FEdit; }
    bool Hot() const override { return FMouseIn || FFocused; }

    TskSkinNumEdit* FEdit = nullptr;
    double FValue = 0, FMinValue = 0, FMaxValue = 0, FIncrement = 1.0;
    TskValueType FValueType = vtInteger;
    bool FMouseIn = false, FFocused = false, FInChange = false, FCopying = false;
    // The pointer is over the control: the text takes the active colour even when the skin has
    // no active face (which FMouseIn follows).
    bool FHover = false;

public:
    std::array<TskButtonPictures, 2> arrowpictures; // up, down
    String fontname = "Arial";
    TFontStyles fontstyle = 0;
    int fontheight = 14;
    TColor fontcolor = 0, activefontcolor = 0, disabledfontcolor = 0;
    int LeftEnd = 0, RightEnd = 0;
};

} // namespace vd
