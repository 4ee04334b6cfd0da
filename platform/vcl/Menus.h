#pragma once
// The menu data model. No menu is shown here: the skinned menu engine shows them all.
#include "platform/vcl/ComponentLink.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/VclTypes.h"

#include <memory>
#include <vector>

namespace vd {

using TShortCut = Word;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scNone = 0;

TShortCut ShortCut(Word Key, TShiftState Shift);
String ShortCutToText(TShortCut ShortCut); // "Ctrl+F4", "Alt+F4", "Shift+A"
TShortCut TextToShortCut(const String& Text);
// The '&'-marked letter of a caption equals the character, case-insensitive ("&&" is no mark).
bool IsAccel(unsigned Char, const String& Caption);
String StripHotkey(const String& Caption);

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const { return FItems.at(static_cast<std::size_t>(index)); }
    TMenuItem* Parent() const { return FParent; }
    // A picture shown before the caption (drawn by whoever draws the menu).
    TBitmap& Bitmap() { return FBitmap; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Delete(int index);       // frees the item
    void Remove(TMenuItem* item); // detaches without freeing
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    TMenu* GetParentMenu() const;
    TMenuItem* Find(const String& caption) const; // by caption without '&'

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& v);
    bool IsLine() const { return FCaption == "-"; }
    bool Visible = true;
    bool Enabled = true;
    bool Checked = false;
    bool RadioItem = false;
    bool Default = false;
    TShortCut ShortCut = 0;
    int ImageIndex = -1;
    int GroupIndex = 0;
    String Hint;
    UINT Command() const { return FCommand; }
    TNotifyEvent OnClick;
    std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)> OnDrawItem;

    virtual void Click();
    // The linked action gives Caption, Enabled, Checked, Hint, ImageIndex, Visible and
    // ShortCut and runs on Click when no OnClick is set.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* action);
    bool SetProperty(const String& name, const TPropValue& value) override;
    void GetProperties(TPropList& out) const override;
    void InsertReadChild(TComponent* child) override;
    void GetReadChildren(std::vector<TComponent*>& out, const TComponent* root) const override;
    bool IsNestedElsewhere() const override { return FParent != nullptr; }

private:
    String FCaption;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // for the root item
    std::vector<TMenuItem*> FItems;
    UINT FCommand = 0;
    friend class TMenu;
    TBitmap FBitmap;
    std::unique_ptr<TActionLink> FActionLink;
    void ActionChange(TBasicAction* Sender);
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    TMenuItem* Items() const { return FItems; }
    TComponent* Images() const { return FImages; }
    void SetImages(TComponent* v);
    bool AutoLineReduction = true;
    // Runs OnClick of the item with this command; false when there is none.
    bool DispatchCommand(UINT Command);
    TMenuItem* FindItem(UINT Command) const;
    // A key message (WM_KEYDOWN/WM_SYSKEYDOWN) that is the shortcut of an enabled item clicks it.
    bool IsShortCut(const TMessage& Message);
    bool SetProperty(const String& name, const TPropValue& value) override;
    void GetProperties(TPropList& out) const override;
    void InsertReadChild(TComponent* child) override;
    void GetReadChildren(std::vector<TComponent*>& out, const TComponent* root) const override;

private:
    TMenuItem* FItems;
    TComponentLink<TComponent> FImages{this};
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);
    // Shows the menu at a screen point; here only OnPopup and the remembered point: the
    // skinned menus override it.
    virtual void Popup(int X, int Y);
    TPoint PopupPoint() const { return FPopupPoint; }
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* v) { FPopupComponent = v; }
    bool SetProperty(const String& name, const TPropValue& value) override;
    void GetProperties(TPropList& out) const override;
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool v) { FAutoPopup = v; }
    TNotifyEvent OnPopup;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    TPoint FPopupPoint{-1, -1};
    TComponent* FPopupComponent = nullptr;
    bool FAutoPopup = true;
};

} // namespace vd
