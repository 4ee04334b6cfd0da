#include "platform/vcl/StdCtrls/ListBox.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "platform/win/controls/ListBoxWindow.h"

#include <algorithm>

namespace vd {

// Strings over the window, or over the saved copy while there is none.

int TListBoxStrings::Add(const String& s) {
    TCustomListBox& lb = *FListBox;
    if (lb.FHandle) return static_cast<int>(lb.Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str())));
    int index = static_cast<int>(lb.FSaved.size());
    if (lb.FSorted) {
        index = 0;
        while (index < static_cast<int>(lb.FSaved.size()) &&
               AnsiCompareText(lb.FSaved[static_cast<std::size_t>(index)].Text, s) <= 0)
            ++index;
    }
    lb.FSaved.insert(lb.FSaved.begin() + index, {s, 0, false, 0});
    return index;
}

void TListBoxStrings::Insert(int index, const String& s) {
    TCustomListBox& lb = *FListBox;
    if (index < 0 || index > Count()) RaiseListError(index);
    if (lb.FHandle) {
        lb.Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
        return;
    }
    lb.FSaved.insert(lb.FSaved.begin() + index, {s, 0, false, 0});
}

void TListBoxStrings::Delete(int index) {
    TCustomListBox& lb = *FListBox;
    if (index < 0 || index >= Count()) RaiseListError(index);
    if (lb.FHandle)
        lb.Send(LB_DELETESTRING, static_cast<WPARAM>(index));
    else
        lb.FSaved.erase(lb.FSaved.begin() + index);
}

void TListBoxStrings::Clear() {
    TCustomListBox& lb = *FListBox;
    if (lb.FHandle)
        lb.Send(LB_RESETCONTENT);
    else
        lb.FSaved.clear();
}

int TListBoxStrings::IndexOf(const String& s) const {
    const TCustomListBox& lb = *FListBox;
    if (lb.FHandle)
        return static_cast<int>(
            lb.Send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s.c_str())));
    return TStrings::IndexOf(s);
}

String TListBoxStrings::Get(int index) const {
    const TCustomListBox& lb = *FListBox;
    if (index < 0 || index >= Count()) RaiseListError(index);
    if (!lb.FHandle) return lb.FSaved[static_cast<std::size_t>(index)].Text;
    String s(static_cast<std::size_t>(lb.Send(LB_GETTEXTLEN, static_cast<WPARAM>(index))), '\0');
    std::vector<char> buf(s.size() + 1);
    lb.Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
    return String(buf.data(), s.size());
}

int TListBoxStrings::GetCount() const {
    const TCustomListBox& lb = *FListBox;
    return lb.FHandle ? static_cast<int>(lb.Send(LB_GETCOUNT)) : static_cast<int>(lb.FSaved.size());
}

TObject* TListBoxStrings::GetObject(int index) const {
    const TCustomListBox& lb = *FListBox;
    if (index < 0 || index >= Count()) RaiseListError(index);
    const std::uintptr_t data =
        lb.FHandle ? static_cast<std::uintptr_t>(lb.Send(LB_GETITEMDATA, static_cast<WPARAM>(index)))
                   : lb.FSaved[static_cast<std::size_t>(index)].Data;
    return reinterpret_cast<TObject*>(data);
}

void TListBoxStrings::PutObject(int index, TObject* object) {
    TCustomListBox& lb = *FListBox;
    if (index < 0 || index >= Count()) RaiseListError(index);
    const auto data = reinterpret_cast<std::uintptr_t>(object);
    if (lb.FHandle)
        lb.Send(LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(data));
    else
        lb.FSaved[static_cast<std::size_t>(index)].Data = data;
}

// A new text for the same item: its data and its state word (a check list's check) stay.
void TListBoxStrings::Put(int index, const String& s) {
    const int selected = FListBox->ItemIndex();
    TObject* data = GetObject(index);
    const int state = FListBox->ItemState(index);
    Delete(index);
    InsertObject(index, s, data);
    FListBox->SetItemState(index, state);
    FListBox->SetItemIndex(selected);
}

// Redraw stays off while the items change; one repaint at the end.
void TListBoxStrings::SetUpdateState(bool updating) {
    if (!FListBox->FHandle) return;
    SendMessage(FListBox->FHandle, WM_SETREDRAW, updating ? FALSE : TRUE, 0);
    if (!updating) FListBox->Invalidate();
}

// The control.

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner), FItems(this) {
    FWidth = 121;
    FHeight = 97;
    FTabStop = true;
    FColor = clWindow;
    // Click and DblClick come from the window's notifications, not from the mouse messages.
    FControlStyle = csSetCaption | csDoubleClicks;
}

TCustomListBox::~TCustomListBox() {
    Destroying();
}

LRESULT TCustomListBox::Send(UINT msg, WPARAM w, LPARAM l) const {
    return FHandle ? SendMessage(FHandle, msg, w, l) : 0;
}

void TCustomListBox::CreateParams(TCreateParams& Params) {
    RegisterListBoxClass();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_LISTBOX);
    Params.Style |= LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    if (FSorted) Params.Style |= LBS_SORT;
    if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (FColumns > 0) Params.Style |= LBS_MULTICOLUMN;
    if (FNoFocus) Params.ExStyle |= WS_EX_NOACTIVATE;
}

void TCustomListBox::CreateWnd() {
    TWinControl::CreateWnd();
    Send(LB_SETITEMHEIGHT, 0, FItemHeight);
    if (FColumns > 0) Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1, FWidth / FColumns)));
    std::vector<SavedItem> saved;
    saved.swap(FSaved);
    for (const SavedItem& it : saved) {
        const int i = static_cast<int>(Send(FSorted ? LB_ADDSTRING : LB_INSERTSTRING, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(it.Text.c_str())));
        Send(LB_SETITEMDATA, static_cast<WPARAM>(i), static_cast<LPARAM>(it.Data));
        if (FMultiSelect && it.Selected) Send(LB_SETSEL, 1, i);
        Send(LB_SETITEMSTATE, static_cast<WPARAM>(i), it.State);
    }
    if (FMultiSelect)
        Send(LB_SETCARETINDEX, static_cast<WPARAM>(FSavedIndex));
    else
        Send(LB_SETCURSEL, static_cast<WPARAM>(FSavedIndex));
    Send(LB_SETTOPINDEX, static_cast<WPARAM>(FSavedTop));
}

void TCustomListBox::DestroyWnd() {
    if (FHandle) {
        FSaved.clear();
        const int n = static_cast<int>(Send(LB_GETCOUNT));
        for (int i = 0; i < n; ++i)
            FSaved.push_back({FItems.Strings(i),
                              static_cast<std::uintptr_t>(Send(LB_GETITEMDATA, static_cast<WPARAM>(i))),
                              FMultiSelect && Send(LB_GETSEL, static_cast<WPARAM>(i)) > 0,
                              static_cast<int>(Send(LB_GETITEMSTATE, static_cast<WPARAM>(i)))});
        FSavedIndex = ItemIndex();
        FSavedTop = TopIndex();
    }
    TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() const {
    if (!FHandle) return FSavedIndex;
    return static_cast<int>(Send(FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL));
}

void TCustomListBox::SetItemIndex(int v) {
    if (!FHandle) {
        FSavedIndex = v;
        return;
    }
    if (FMultiSelect) {
        Send(LB_SETSEL, 0, -1);
        if (v >= 0) Send(LB_SETSEL, 1, v);
        Send(LB_SETCARETINDEX, static_cast<WPARAM>(v));
    } else {
        Send(LB_SETCURSEL, static_cast<WPARAM>(v));
    }
}

bool TCustomListBox::Selected(int index) const {
    if (index < 0 || index >= Count()) RaiseListError(index);
    if (!FHandle)
        return FMultiSelect ? FSaved[static_cast<std::size_t>(index)].Selected : index == FSavedIndex;
    return Send(LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

void TCustomListBox::SetSelected(int index, bool v) {
    if (index < 0 || index >= Count()) RaiseListError(index);
    if (!FMultiSelect) {
        if (v)
            SetItemIndex(index);
        else if (ItemIndex() == index)
            SetItemIndex(-1);
        return;
    }
    if (FHandle)
        Send(LB_SETSEL, v ? 1 : 0, index);
    else
        FSaved[static_cast<std::size_t>(index)].Selected = v;
}

int TCustomListBox::ItemState(int index) const {
    if (index < 0 || index >= Count()) RaiseListError(index);
    return FHandle ? static_cast<int>(Send(LB_GETITEMSTATE, static_cast<WPARAM>(index)))
                   : FSaved[static_cast<std::size_t>(index)].State;
}

void TCustomListBox::SetItemState(int index, int state) {
    if (index < 0 || index >= Count()) RaiseListError(index);
    if (FHandle)
        Send(LB_SETITEMSTATE, static_cast<WPARAM>(index), state);
    else
        FSaved[static_cast<std::size_t>(index)].State = state;
}

int TCustomListBox::SelCount() const {
    if (!FMultiSelect) return -1;
    if (FHandle) return static_cast<int>(Send(LB_GETSELCOUNT));
    return static_cast<int>(
        std::count_if(FSaved.begin(), FSaved.end(), [](const SavedItem& s) { return s.Selected; }));
}

int TCustomListBox::TopIndex() const {
    return FHandle ? static_cast<int>(Send(LB_GETTOPINDEX)) : FSavedTop;
}

void TCustomListBox::SetTopIndex(int v) {
    if (FHandle)
        Send(LB_SETTOPINDEX, static_cast<WPARAM>(v));
    else
        FSavedTop = v;
}

TRect TCustomListBox::ItemRect(int index) const {
    TRect r;
    const int count = Count();
    if (FHandle && index >= 0 && index < count) {
        Send(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
        return r;
    }
    // The place a new last item would take, as the class library answers for Count.
    if (index == count) {
        const int top = (index - TopIndex()) * FItemHeight;
        return {0, top, ClientWidth(), top + FItemHeight};
    }
    return r;
}

int TCustomListBox::ItemAtPos(TPoint p, bool Existing) const {
    const int count = Count();
    if (FHandle && FColumns > 0) {
        const int i = static_cast<int>(Send(LB_ITEMFROMPOINT, 0, PointToLParam(p)));
        return i >= 0 ? i : (Existing ? -1 : count);
    }
    const TRect client = ClientRect();
    if (p.X >= client.Left && p.X < client.Right && p.Y >= 0) {
        const int i = TopIndex() + p.Y / std::max(1, FItemHeight);
        if (i < count && p.Y < client.Bottom) return i;
    }
    return Existing ? -1 : count;
}

void TCustomListBox::SetSorted(bool v) {
    if (v == FSorted) return;
    FSorted = v;
    if (!FHandle) {
        if (v)
            std::stable_sort(FSaved.begin(), FSaved.end(), [](const SavedItem& a, const SavedItem& b) {
                return AnsiCompareText(a.Text, b.Text) < 0;
            });
        return;
    }
    RecreateWnd(); // the items go back in through LB_ADDSTRING, sorted
}

void TCustomListBox::SetColumns(int v) {
    if (v == FColumns) return;
    FColumns = std::max(0, v);
    RecreateWnd();
}

void TCustomListBox::SetMultiSelect(bool v) {
    if (v == FMultiSelect) return;
    FMultiSelect = v;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool v) {
    if (v == FExtendedSelect) return;
    FExtendedSelect = v;
    RecreateWnd();
}

void TCustomListBox::SetItemHeight(int v) {
    if (v <= 0) return;
    FItemHeight = v;
    Send(LB_SETITEMHEIGHT, 0, v);
}

void TCustomListBox::SetNoFocus(bool v) {
    if (v == FNoFocus) return;
    FNoFocus = v;
    RecreateWnd();
}

void TCustomListBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CN_COMMAND:
        if (HiWord(Message.WParam) == LBN_SELCHANGE) Click();
        if (HiWord(Message.WParam) == LBN_DBLCLK) DblClick();
        return;
    case CN_DRAWITEM: {
        const auto& di = *reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
        TOwnerDrawState state = 0;
        if (di.itemState & ODS_SELECTED) state |= odSelected;
        if (di.itemState & ODS_FOCUS) state |= odFocused;
        if (di.itemState & ODS_DISABLED) state |= odDisabled;
        const int saved = SaveDC(di.hDC);
        FCanvas.SetHandle(di.hDC);
        DrawItem(static_cast<int>(di.itemID), di.rcItem, state);
        FCanvas.SetHandle(nullptr);
        RestoreDC(di.hDC, saved);
        Message.Result = 1;
        return;
    }
    case WM_SIZE:
        // The class library keeps the columns as wide as Width div Columns.
        if (FColumns > 0) Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1, Width() / FColumns)));
        TWinControl::Dispatch(Message);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!FNoFocus && CanFocus() && !Focused()) SetFocus();
        TWinControl::Dispatch(Message);
        return;
    default:
        TWinControl::Dispatch(Message);
    }
}

// Plain text on the item's background when nobody draws the items.
void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    HDC dc = FCanvas.Handle();
    const bool sel = (State & odSelected) != 0;
    UniqueBrush b(
        CreateSolidBrush(sel ? GetSysColor(COLOR_HIGHLIGHT) : static_cast<COLORREF>(ColorToRGB(FColor))));
    FillRect(dc, &Rect, b.Get());
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont.Handle()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc,
                 sel ? GetSysColor(COLOR_HIGHLIGHTTEXT) : static_cast<COLORREF>(ColorToRGB(FFont.Color())));
    const String text = FItems.Strings(Index);
    TextOutA(dc, Rect.Left + 2, Rect.Top, text.c_str(), static_cast<int>(text.size()));
    if (State & odFocused) DrawFocusRect(dc, &Rect);
}

// Typed characters gather into a prefix (reset after half a second without a key) that
// selects the first matching item.
void TCustomListBox::KeyPress(TKeyChar& Key) {
    TWinControl::KeyPress(Key);
    if (!AutoComplete || Key == 0 || Key == 13 || Key == 27) return;
    const DWord now = GetWindowTickCount();
    if (now - FLastKeyTime > 500) FFilter.clear();
    FLastKeyTime = now;
    if (Key == 8) {
        if (!FFilter.empty()) FFilter.pop_back();
        if (FFilter.empty()) {
            SetItemIndex(0);
            Click();
        }
        return;
    }
    if (Key < 32) return;
    FFilter += Utf8Encode(Key);
    const int found = static_cast<int>(
        Send(LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(FFilter.c_str())));
    if (found >= 0) {
        SetItemIndex(found);
        Click();
    }
    Key = 0;
}

namespace {

const TPropertyTable<TCustomListBox>& ListBoxProperties() {
    using namespace props;
    using C = TCustomListBox;
    static const TPropertyTable<C> table{
        {"Sorted", Call(&C::SetSorted, AsBool)},
        {"ItemHeight", Call(&C::SetItemHeight, AsInt)},
        {"Columns", Call(&C::SetColumns, AsInt)},
        {"MultiSelect", Call(&C::SetMultiSelect, AsBool)},
        {"ExtendedSelect", Call(&C::SetExtendedSelect, AsBool)},
        {"Style",
         [](C& c, const TPropValue& v) {
             c.SetStyle(v.AsIdent() == "lbOwnerDrawFixed" ? lbOwnerDrawFixed : lbStandard);
         }},
        {"IntegralHeight", Ignored},
        {"AutoComplete", Store(&C::AutoComplete, AsBool)},
    };
    return table;
}

} // namespace

bool TCustomListBox::SetProperty(const String& name, const TPropValue& v) {
    return ListBoxProperties().Set(*this, name, v) || TWinControl::SetProperty(name, v);
}

} // namespace vd
