#pragma once
// TCustomListBox / TListBox: the class-library layer over the native list box. Items is a
// TStrings over the window (or over a saved copy while there is no window, so recreation keeps
// items, their data, ItemIndex and TopIndex). Items are always drawn by the control
// (owner draw): DrawItem, OnDrawItem, or plain text by default.
#include "platform/rtl/Strings.h"
#include "platform/vcl/ControlCanvas.h"
#include "platform/vcl/Forward.h"
#include "platform/vcl/WinControl.h"
#include "platform/win/CommCtrl.h"

#include <functional>
#include <vector>

namespace vd {

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };

using TOwnerDrawState = unsigned;
inline constexpr TOwnerDrawState odSelected = 0x0001;
inline constexpr TOwnerDrawState odGrayed = 0x0002;
inline constexpr TOwnerDrawState odDisabled = 0x0004;
inline constexpr TOwnerDrawState odChecked = 0x0008;
inline constexpr TOwnerDrawState odFocused = 0x0010;
inline constexpr TOwnerDrawState odDefault = 0x0020;

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;

class TListBoxStrings : public TStrings {
public:
    explicit TListBoxStrings(TCustomListBox* owner) : FListBox(owner) {}
    int Add(const String& s) override;
    void Clear() override;
    void Delete(int index) override;
    void Insert(int index, const String& s) override;
    int IndexOf(const String& s) const override;

protected:
    String Get(int index) const override;
    int GetCount() const override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Put(int index, const String& s) override;
    void SetUpdateState(bool updating) override;

private:
    TCustomListBox* FListBox;
};

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings& Items() { return FItems; }
    void SetItems(const TStrings& v) { FItems.Assign(v); }
    int ItemIndex() const;
    void SetItemIndex(int v); // fires no OnClick
    bool Selected(int index) const;
    void SetSelected(int index, bool v);
    int SelCount() const; // -1 for a single-selection list
    // A state word per item, apart from its data (a check list keeps its check states here);
    // kept when the window is made again.
    int ItemState(int index) const;
    void SetItemState(int index, int state);
    int TopIndex() const;
    void SetTopIndex(int v);
    TRect ItemRect(int index) const;
    // The index whose rectangle holds p; otherwise Count, or -1 when Existing.
    int ItemAtPos(TPoint p, bool Existing) const;
    void Clear() { FItems.Clear(); }
    int Count() const { return FItems.Count(); }

    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool v);
    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int v); // 0 or less is ignored
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle v) { FStyle = v; }
    bool IntegralHeight() const { return false; }
    bool AutoComplete = true;
    // Never takes the focus or activation (the inner list of a drop-down).
    bool NoFocus() const { return FNoFocus; }
    void SetNoFocus(bool v);

    // Set to the item's device context while an item is drawn.
    TCanvas& Canvas() { return FCanvas; }
    TDrawItemEvent OnDrawItem;

    void Dispatch(TMessage& Message) override;
    bool SetProperty(const String& name, const TPropValue& value) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    void KeyPress(TKeyChar& Key) override;
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const;

    struct SavedItem {
        String Text;
        std::uintptr_t Data = 0;
        bool Selected = false;
        int State = 0;
    };
    std::vector<SavedItem> FSaved; // the items while there is no window
    int FSavedIndex = -1;
    int FSavedTop = 0;
    TListBoxStrings FItems;
    TControlCanvas FCanvas{this};
    bool FSorted = false;
    int FColumns = 0;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    int FItemHeight = 16;
    TListBoxStyle FStyle = lbStandard;
    bool FNoFocus = false;
    String FFilter;
    DWord FLastKeyTime = 0;
    friend class TListBoxStrings;
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

} // namespace vd
