#pragma once
// Radio and check groups: group boxes that show one button per line of Items in Columns columns.
// The radio group keeps one selected ItemIndex; the check group remembers the last item clicked.
#include "platform/rtl/StringList.h"
#include "platform/vcl/Forward.h"
#include "skin/controls/Forward.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/controls/SkinPanel.h"

#include <vector>

namespace vd {

// One button of a group, owned and placed by the group.
class TskGroupButton : public TskSkinCheckRadioBox {
public:
    TskGroupButton(TskSkinButtonGroup* Group, bool IsRadio);
    ~TskGroupButton() override;
    // A click changes the button only while the group lets it be modified.
    void DoClick() override;

protected:
    // Keys reach the group's own key handling too.
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(TKeyChar& Key) override;

private:
    TskSkinButtonGroup* FGroup;
};

// What the radio and the check group share: the items, the buttons and their layout.
class TskSkinButtonGroup : public TskSkinGroupBox {
public:
    TskSkinButtonGroup(TComponent* AOwner, bool IsRadio);
    ~TskSkinButtonGroup() override;
    bool SetProperty(const String& name, const TPropValue& value) override;
    bool SetComponentProperty(const String& name, TComponent* value) override;

    TStringList& Items() { return FItems; }
    void SetItems(const TStrings& Value) { FItems.Assign(Value); }
    int Columns() const { return FColumns; }
    // Clamped to 1..16.
    void SetColumns(int Value);
    int ItemIndex() const { return FItemIndex; }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    const String& ButtonSkinDataName() const { return FButtonSkinDataName; }
    void SetButtonSkinDataName(const String& Value);
    const TFont& ButtonDefaultFont() const { return FButtonDefaultFont; }
    // Also the group's own font.
    void SetButtonDefaultFont(const TFont& Value);
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TskGroupButton* Buttons(int i) const { return FButtons.at(static_cast<size_t>(i)); }
    virtual bool CanModify() { return true; }

    void SetSkinData(TskSkinData* Value) override;
    void ChangeSkinData() override;
    void Dispatch(TMessage& Message) override;
    void ArrangeButtons();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    // While the form resource is read: Items and ItemIndex may come in either order.
    bool Reading() const { return (ComponentState() & csLoading) != 0; }
    virtual void ItemsChanged();
    void UpdateButtons();
    void SetButtonCount(int n);
    virtual void ButtonClick(TObject* Sender);
    bool FUpdating = false;
    int FItemIndex = -1;

private:
    friend class TskGroupButton;
    static const TPropertyTable<TskSkinButtonGroup>& Properties();
    bool FRadio;
    TStringList FItems;
    int FColumns = 1;
    TComponentLink<TCustomImageList> FImages{this};
    String FButtonSkinDataName;
    TFont FButtonDefaultFont;
    std::vector<TskGroupButton*> FButtons;
};

class TskSkinRadioGroup : public TskSkinButtonGroup {
public:
    explicit TskSkinRadioGroup(TComponent* AOwner) : TskSkinButtonGroup(AOwner, true) {}
    // Clamped to -1..count-1; checking the new button fires OnClick.
    void SetItemIndex(int Value);

protected:
    void ItemsChanged() override;
};

class TskSkinCheckGroup : public TskSkinButtonGroup {
public:
    explicit TskSkinCheckGroup(TComponent* AOwner) : TskSkinButtonGroup(AOwner, false) {}
    bool ItemChecked(int i) const { return Buttons(i)->Checked(); }
    void SetItemChecked(int i, bool Value) { Buttons(i)->SetChecked(Value); }
};

} // namespace vd
