#pragma once
// The skinned check list: a skinned list box whose items each carry a check state (0 unchecked,
// 1 checked, 2 a third state clicks never reach), drawn as a check box in front of the item. The
// states live in the native list's own per-item state word, apart from the item data, so they
// survive a window recreation and item data is never read as a pointer.
#include "skin/boxes/SkinListBox.h"

namespace vd {

class TskSkinCheckListBox;

class TskCheckListBox : public TskListBox {
public:
    explicit TskCheckListBox(TskSkinCustomListBox* AOwner) : TskListBox(AOwner) {}

    int State(int Index) const;
    void SetState(int Index, int Value);
    bool Checked(int Index) const { return State(Index) == 1; }
    void SetChecked(int Index, bool Value);
    // 0 -> 1, 1 -> 0, 2 stays; OnClickCheck fires in every case. Bad indexes are ignored.
    void ToggleState(int Index);
    TNotifyEvent OnClickCheck;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyPress(TKeyChar& Key) override;

private:
    TskSkinCheckListBox* CheckOwner() const;
};

class TskSkinCheckListBox : public TskSkinCustomListBox {
public:
    explicit TskSkinCheckListBox(TComponent* AOwner);

    TskCheckListBox* CheckList() const { return static_cast<TskCheckListBox*>(FListBox); }
    int State(int Index) const { return CheckList()->State(Index); }
    void SetState(int Index, int Value) { CheckList()->SetState(Index, Value); }
    bool Checked(int Index) const { return CheckList()->Checked(Index); }
    void SetChecked(int Index, bool Value) { CheckList()->SetChecked(Index, Value); }
    TNotifyEvent OnClickCheck() const { return FOnClickCheck; }
    void SetOnClickCheck(TNotifyEvent Value);

    // Where a click toggles the item at R (list coordinates).
    TRect CheckRect(const TRect& ItemRect) const;

    void GetSkinData() override;
    void DrawListItem(TCanvas& Canvas, int Index, TOwnerDrawState State, const TRect& R) override;
    bool SetProperty(const String& name, const TPropValue& value) override;

    TRect itemcheckrect, checkimagerect, uncheckimagerect;

protected:
    void CaptionButtonAction(int I) override;

private:
    void DrawPlainCheck(TCanvas& Canvas, int State, int H);
    TNotifyEvent FOnClickCheck;
};

} // namespace vd
