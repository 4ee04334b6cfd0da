#include "skin/boxes/SkinComboBox.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/Utf8.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/boxes/BoxPaint.h"
#include "skin/boxes/SkinBoxes.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinGlyphs.h"
#include "skin/core/SkinPlatform.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinWindowRecords.h"

#include <algorithm>

namespace vd {

namespace {

constexpr std::uintptr_t kScrollTimer = 1;
constexpr std::uintptr_t kFadeTimer = 2;
constexpr unsigned kFadeStepMs = 10;

} // namespace

// The drop-down list.

TskPopupListBox::TskPopupListBox(TskSkinCustomComboBox* AOwner) : TskSkinListBox(AOwner), FCombo(AOwner) {
    FControlStyle |= csAcceptsControls;
    FVisible = false;
    ListBox()->SetNoFocus(true);
    ListBox()->SetTabStop(false);
}

TskPopupListBox::~TskPopupListBox() {
    if (HandleAllocated()) KillTimer(WindowHandle(), kFadeTimer);
    Destroying();
}

void TskPopupListBox::CreateParams(TCreateParams& Params) {
    TskSkinListBox::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPCHILDREN;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    Params.ClassStyle |= CS_SAVEBITS;
    if (IsWindowsXPVersion()) Params.ClassStyle |= CS_DROPSHADOW;
    TCustomForm* form = GetParentForm(FCombo);
    Params.WndParent = form ? form->Handle() : nullptr;
}

void TskPopupListBox::Hide() {
    if (HandleAllocated()) {
        KillTimer(WindowHandle(), kFadeTimer);
        SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    }
    SetVisible(false);
}

void TskPopupListBox::Show(TPoint P) {
    HWND h = Handle();
    const TskSkinCustomComboBox& c = *FCombo;
    if (IsLayeredWindowOS()) {
        const LONG_PTR ex = GetWindowLong(h, GWL_EXSTYLE);
        if (c.AlphaBlend && !FAlphaApplied) SetWindowLong(h, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        if (!c.AlphaBlend && FAlphaApplied)
            SetWindowLong(h, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        FAlphaApplied = c.AlphaBlend;
        if (c.AlphaBlend && FCurrentAlpha != c.AlphaBlendValue) {
            FCurrentAlpha = c.AlphaBlendAnimation ? 0 : c.AlphaBlendValue;
            SetWindowAlpha(h, FCurrentAlpha);
        }
    }
    SetBounds(P.X, P.Y, Width(), Height());
    SetWindowPos(h, HWND_TOPMOST, P.X, P.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetVisible(true);
    // The fade-in runs from a timer, so the message loop and the clock move on meanwhile.
    if (IsLayeredWindowOS() && c.AlphaBlend && c.AlphaBlendAnimation) {
        FFadeAlpha = 0;
        SetWindowAlpha(h, 0);
        FCurrentAlpha = 0;
        SetTimer(h, kFadeTimer, kFadeStepMs);
    }
}

void TskPopupListBox::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_TIMER:
        if (Message.WParam == kFadeTimer) {
            FFadeAlpha = std::min(FFadeAlpha + 10, FCombo->AlphaBlendValue);
            SetWindowAlpha(Handle(), FFadeAlpha);
            // The present alpha stays what the window shows, so a later opening without the
            // animation sets its own value; an animated one starts from 0 again anyway.
            FCurrentAlpha = FFadeAlpha;
            if (FFadeAlpha >= FCombo->AlphaBlendValue) KillTimer(Handle(), kFadeTimer);
            return;
        }
        break;
    default:
        break;
    }
    TskSkinListBox::Dispatch(Message);
}

// The combo box.

TskSkinCustomComboBox::TskSkinCustomComboBox(TComponent* AOwner) : TskSkinEditBox(AOwner) {
    SetTabStop(true);
    FControlStyle = csAcceptsControls | csCaptureMouse | csOpaque | csDoubleClicks;
    SetDefaultFace(FFont);
    FFont.SetColor(clWindowText);
    SetBounds(0, 0, 120, 20);
    FListBox = new TskPopupListBox(this);
    FListBox->ListBox()->OnMouseMove = [this](TObject*, TShiftState, int X, int Y) { ListMouseMove(X, Y); };
    FOldListProc = FListBox->ListBox()->WindowProc;
    FListBox->ListBox()->WindowProc = [this](TMessage& m) { ListWindowProc(m); };
    FListBox->OnCheckButtonClick = [this](TObject*) { CloseUp(true); };
    CalcRects();
    SetSkinDataName("combobox");
}

TskSkinCustomComboBox::~TskSkinCustomComboBox() {
    if (HandleAllocated()) KillTimer(WindowHandle(), kScrollTimer);
    // The edit and the list call back into this object: unhook them while it is whole. The list
    // has no parent, so it would otherwise outlive this destructor.
    if (FEdit) {
        FEdit->WindowProc = FOldEditProc;
        FEdit->OnChange = nullptr;
        FEdit->OnCancelMode = nullptr;
        FEdit->OnPaintBackground = nullptr;
        FEdit->OnKeyDown = FEdit->OnKeyUp = nullptr;
        FEdit->OnKeyPress = nullptr;
    }
    if (FListBox) {
        TskPopupListBox* list = FListBox;
        FListBox = nullptr;
        list->ListBox()->WindowProc = FOldListProc;
        list->ListBox()->OnMouseMove = nullptr;
        list->OnCheckButtonClick = nullptr;
        list->Free();
    }
    Destroying();
}

void TskSkinCustomComboBox::Notification(TComponent* AComponent, TOperation Operation) {
    TskSkinCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FListBox) FListBox = nullptr;
    if (AComponent == FEdit) FEdit = nullptr;
}

bool TskSkinCustomComboBox::Hot() const {
    if (!FListBox) return false;
    return FMouseIn || (HandleAllocated() && Focused()) ||
           (FEdit && FEdit->HandleAllocated() && FEdit->Focused());
}

void TskSkinCustomComboBox::SetItemIndex(int Value) {
    SelectItem(Value, false);
}

// A program's selection shows the item's text without OnChange, so that a handler that reacts to
// the user's choice (a language switch) does not run when the window fills itself; the keys and
// type-ahead select on the user's behalf and keep it.
void TskSkinCustomComboBox::SelectItem(int Value, bool ByUser) {
    FListBox->SetItemIndex(Value);
    const int i = FListBox->ItemIndex();
    if (FListBox->Items().Count() > 0 && i != -1) {
        const bool quiet = FQuietText;
        FQuietText = !ByUser;
        SetText(FListBox->Items().Strings(i));
        FQuietText = quiet;
    }
    FRememberedIndex = i;
    if (!FEdit) Repaint();
    if (!(ComponentState() & (csLoading | csDesigning))) {
        Click();
        Change();
    }
}

void TskSkinCustomComboBox::SetCharCase(TEditCharCase Value) {
    FCharCase = Value;
    if (FEdit) FEdit->SetCharCase(Value);
}

void TskSkinCustomComboBox::SetDefaultColor(TColor Value) {
    FDefaultColor = Value;
    if (FSkinIndex == -1) {
        Invalidate();
        if (FEdit) FEdit->SetColor(Value);
    }
}

void TskSkinCustomComboBox::SetImages(TCustomImageList* Value) {
    FListBox->SetImages(Value);
    Repaint();
}

void TskSkinCustomComboBox::SetImageIndex(int Value) {
    FListBox->SetImageIndex(Value);
    Repaint();
}

// Style and the inner edit.

void TskSkinCustomComboBox::SetStyle(TskSkinCustomComboBoxStyle Value) {
    if ((ComponentState() & csDesigning) && Value == FStyle) return;
    FStyle = Value;
    if (Value == skcbEditStyle) {
        // Set again, the one inner edit stays as it is, tab stop included.
        const bool made = !FEdit;
        if (made) CreateEdit();
        if (made && !(ComponentState() & csDesigning)) {
            if (TabStop()) {
                SetTabStop(false);
                FEdit->SetTabStop(true);
            } else {
                FEdit->SetTabStop(TabStop());
            }
        }
        FEdit->SetText(Text());
        if (HandleAllocated() && Focused()) FEdit->SetFocus();
    } else if (FEdit) {
        FreeEdit();
    }
    CalcRects();
    if (HandleAllocated()) RecreateWnd();
    Repaint();
}

void TskSkinCustomComboBox::CreateEdit() {
    auto* e = new TskCustomEdit(this);
    FEdit = e;
    e->SetParent(this);
    e->SetColor(FDefaultColor);
    e->SetAutoSize(false);
    e->SetHideSelection(HideSelection);
    e->SetVisible(true);
    e->OnChange = [this](TObject*) { EditChange(); };
    FOldEditProc = e->WindowProc;
    e->WindowProc = [this](TMessage& m) { EditWindowProc(m); };
    e->OnCancelMode = [this](TObject* sender) {
        if (!OwnSender(sender)) CloseUp(false);
    };
    e->OnKeyDown = [this](TObject*, Word& k, TShiftState s) {
        if (OnKeyDown) OnKeyDown(this, k, s);
    };
    e->OnKeyUp = [this](TObject*, Word& k, TShiftState s) {
        if (OnKeyUp) OnKeyUp(this, k, s);
    };
    e->OnKeyPress = [this](TObject*, TKeyChar& k) {
        if (OnKeyPress) OnKeyPress(this, k);
    };
    e->OnPaintBackground = [this](TObject*, HDC dc, const TRect& r) { PaintEditBackground(dc, r); };
    e->SetCharCase(FCharCase);
    ApplyEditFont();
    CalcRects();
}

void TskSkinCustomComboBox::FreeEdit() {
    TskCustomEdit* e = FEdit;
    FEdit = nullptr;
    e->SetVisible(false);
    e->Free();
}

void TskSkinCustomComboBox::ApplyEditFont() {
    if (!FEdit) return;
    TFont& f = FEdit->Font();
    if (FSkinIndex != -1 && FUseSkinFont) {
        SetSkinFont(f, fontname, fontheight, fontstyle, fontcolor);
    } else if (FSkinIndex != -1) {
        f.Assign(FDefaultFont);
        f.SetColor(fontcolor);
    } else {
        f.SetName(FFont.Name());
        f.SetStyle(FFont.Style());
        f.SetHeight(FFont.Height());
        f.SetColor(FFont.Color());
    }
    if (FSkinIndex != -1 && !IsEmptySkinRect(activeskinrect) && Hot()) f.SetColor(activefontcolor);
    f.SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    if (!Enabled()) f.SetColor(DisabledFontColor());
    FEdit->SetEditTransparent(FSkinIndex != -1);
}

void TskSkinCustomComboBox::EditChange() {
    FEditChange = true;
    const String t = FEdit->Text();
    if (!t.empty()) {
        HWND lb = FListBox->ListBox()->Handle();
        const auto found =
            SendMessage(lb, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(t.c_str()));
        if (found >= 0)
            SendMessage(lb, AutoComplete ? LB_SETCURSEL : LB_SETTOPINDEX, static_cast<WPARAM>(found), 0);
    }
    SetText(t);
    FEditChange = false;
}

// Who sent a cancel mode: the combo's own parts keep the list open.
bool TskSkinCustomComboBox::OwnSender(TObject* Sender) const {
    if (!Sender) return false;
    return Sender == this || Sender == FListBox || Sender == FListBox->ListBox() ||
           (FListBox->VScrollBar() && Sender == FListBox->VScrollBar()) ||
           (FListBox->HScrollBar() && Sender == FListBox->HScrollBar());
}

// Opening and closing.

void TskSkinCustomComboBox::DropDown() {
    TStrings& items = FListBox->Items();
    if (items.Count() == 0) return;
    FTracking = false;
    if (FScrollDirection) StopScrollTimer();
    if (OnDropDown) OnDropDown(this);
    FListBox->SetSkinData(FSkinData);
    FListBox->SetWidth(ListBoxWidth > 0 ? ListBoxWidth : Width());
    FListBox->SetRowCount(std::min(items.Count(), FDropDownCount));
    TPoint p =
        Parent() ? Parent()->ClientToScreen({Left(), Top() + Height()}) : TPoint{Left(), Top() + Height()};
    TRect work{0, 0, 0, 0};
    DesktopWorkArea(true, work);
    WindowWorkArea(Handle(), true, work);
    if (p.Y + FListBox->Height() > work.Bottom) p.Y = p.Y - Height() - FListBox->Height();
    if (FEdit && FEdit->CanFocus()) FEdit->SetFocus();
    FRememberedIndex = FListBox->ItemIndex();
    if (FRememberedIndex == 0 && items.Count() > 1) {
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FListBox->Show(p);
    FListBox->SetTopIndex(FListBox->ItemIndex());
}

void TskSkinCustomComboBox::CloseUp(bool Accept) {
    if (FScrollDirection) StopScrollTimer();
    if (!FListBox->Visible()) return;
    FListBox->Hide();
    const int i = FListBox->ItemIndex();
    if (i < 0) {
        FListBox->SetItemIndex(FRememberedIndex);
    } else if (i < FListBox->Items().Count() && Accept) {
        const String item = FListBox->Items().Strings(i);
        if (FEdit) {
            FEdit->SetText(item);
            FEdit->SelectAll();
        } else {
            SetText(item);
            Repaint();
        }
        Click();
        Change();
    } else {
        FListBox->SetItemIndex(FRememberedIndex);
    }
    Repaint();
    if (Accept && OnCloseUp) OnCloseUp(this);
}

// Mouse.

void TskSkinCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (!FEdit && CanFocus() && !Focused()) SetFocus();
    if (Button != mbLeft) return;
    if (FButtonHot || InRect(FButtonRect, X, Y) || (InRect(FItemRect, X, Y) && !FEdit)) {
        FButtonHot = InRect(FButtonRect, X, Y) || FButtonHot;
        FButtonPressed = true;
        Repaint();
        if (!FListBox->Visible()) {
            FTracking = false;
            FPressed = true;
            DropDown();
        } else {
            CloseUp(false);
        }
    } else if (FListBox->Visible()) {
        CloseUp(false);
    }
}

void TskSkinCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (FPressed) {
        TrackCapturedMouse();
        return;
    }
    const bool hot = InRect(FButtonRect, X, Y);
    if (hot != FButtonHot) {
        FButtonHot = hot;
        Repaint();
    }
}

void TskSkinCustomComboBox::TrackCapturedMouse() {
    if (!FListBox->Visible()) return;
    TskListBox* lb = FListBox->ListBox();
    TPoint p;
    GetCursorPos(p);
    p = lb->ScreenToClient(p);
    int dir = 0;
    const bool bar = FListBox->VScrollBar() != nullptr;
    if (p.Y < 0 && bar && FTracking)
        dir = 1;
    else if (p.Y > lb->Height() && bar && FTracking)
        dir = 2;
    else if (p.Y >= 0 && p.Y <= lb->Height()) {
        if (FScrollDirection) StopScrollTimer();
        ListMouseMove(1, p.Y);
        FTracking = true;
        return;
    } else {
        return;
    }
    if (dir != FScrollDirection) {
        FScrollDirection = dir;
        StartScrollTimer();
    }
}

void TskSkinCustomComboBox::StartScrollTimer() {
    KillTimer(Handle(), kScrollTimer);
    SetTimer(Handle(), kScrollTimer, 25);
}

void TskSkinCustomComboBox::StopScrollTimer() {
    if (HandleAllocated()) KillTimer(WindowHandle(), kScrollTimer);
    FScrollDirection = 0;
}

void TskSkinCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FPressed && FTracking) {
        ReleaseCapture();
        FPressed = false;
        TPoint p;
        GetCursorPos(p);
        CloseUp(WindowFromPoint(p) == FListBox->ListBox()->WindowHandle());
    } else {
        FPressed = false;
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (FButtonPressed) {
        FButtonPressed = false;
        Repaint();
    }
}

void TskSkinCustomComboBox::ListMouseMove(int X, int Y) {
    const int i = FListBox->ListBox()->ItemAtPos({X, Y}, true);
    if (i >= 0 && i != FListBox->ItemIndex()) FListBox->SetItemIndex(i);
}

// The inner list chooses on release, through the combo's own MouseUp.
void TskSkinCustomComboBox::ListWindowProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
        FOldListProc(Message);
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_LBUTTONDOWN:
        FPressed = FTracking = true;
        SetCapture(Handle());
        return;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return;
    default:
        FOldListProc(Message);
    }
}

// Keyboard.

void TskSkinCustomComboBox::SelectListIndex(int Index, bool Events) {
    if (Events)
        SelectItem(Index, true);
    else
        FListBox->SetItemIndex(Index);
    if (FListBox->Visible()) {
        const int top = FListBox->TopIndex(), rows = std::max(1, FListBox->RowCount());
        if (Index < top) FListBox->SetTopIndex(Index);
        if (Index >= top + rows) FListBox->SetTopIndex(Index - rows + 1);
    }
}

void TskSkinCustomComboBox::ItemUp(bool Events) {
    if (ItemIndex() > 0) SelectListIndex(ItemIndex() - 1, Events);
}

void TskSkinCustomComboBox::ItemDown(bool Events) {
    if (ItemIndex() < FListBox->Items().Count() - 1) SelectListIndex(ItemIndex() + 1, Events);
}

void TskSkinCustomComboBox::KeyDown(Word& Key, TShiftState Shift) {
    TskSkinCustomControl::KeyDown(Key, Shift);
    const bool open = FListBox->Visible(), alt = (Shift & ssAlt) != 0;
    const int count = FListBox->Items().Count();
    switch (Key) {
    case VK_RETURN:
        if (open) CloseUp(true);
        break;
    case VK_ESCAPE:
        if (open) CloseUp(false);
        break;
    case VK_PRIOR:
        if (count > 0) SelectListIndex(std::max(0, ItemIndex() - FDropDownCount - 1), !open);
        break;
    case VK_NEXT:
        if (count > 0) SelectListIndex(std::min(count - 1, ItemIndex() + FDropDownCount - 1), !open);
        break;
    case VK_LEFT:
    case VK_UP:
        if (!alt)
            ItemUp(!open);
        else if (open)
            CloseUp(false);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (!alt)
            ItemDown(!open);
        else if (!open)
            DropDown();
        break;
    default:
        return;
    }
}

void TskSkinCustomComboBox::KeyPress(TKeyChar& Key) {
    TskSkinCustomControl::KeyPress(Key);
    if (Key >= 32) TypeAhead(Key);
}

void TskSkinCustomComboBox::TypeAhead(char32_t C) {
    String search;
    if (AutoComplete) {
        const DWord now = GetWindowTickCount();
        if (now - FLastKeyTime >= 500) FPrefix.clear();
        FLastKeyTime = now;
        FPrefix += Utf8Encode(C);
        search = FPrefix;
    } else {
        search = Utf8Encode(C);
    }
    if (search.empty()) return;
    HWND lb = FListBox->ListBox()->Handle();
    const WPARAM from = Utf8Length(search) == 1 ? static_cast<WPARAM>(ItemIndex()) : static_cast<WPARAM>(-1);
    const auto found = SendMessage(lb, LB_FINDSTRING, from, reinterpret_cast<LPARAM>(search.c_str()));
    if (found >= 0) SelectItem(static_cast<int>(found), true);
}

// The inner edit of the edit style.

void TskSkinCustomComboBox::SelectPrior(bool Update) {
    if (ItemIndex() <= 0) return;
    SelectItem(ItemIndex() - 1, true);
    if (Update) {
        SetText(FListBox->Items().Strings(ItemIndex()));
        if (FEdit) FEdit->SelectAll();
        Click();
    }
}

void TskSkinCustomComboBox::SelectNext(bool Update) {
    if (ItemIndex() >= FListBox->Items().Count() - 1) return;
    FListBox->SetItemIndex(ItemIndex() + 1);
    if (Update) {
        SetText(FListBox->Items().Strings(ItemIndex()));
        if (FEdit) FEdit->SelectAll();
        Click();
    }
}

void TskSkinCustomComboBox::DoAutoComplete() {
    if (!FListBox || !FEdit) return;
    const DWord now = GetWindowTickCount();
    if (now - FLastKeyTime < 200) return;
    FLastKeyTime = now;
    const String old = Text();
    if (old.empty()) return;
    const WPARAM from = Utf8Length(old) == 1 ? static_cast<WPARAM>(ItemIndex()) : static_cast<WPARAM>(-1);
    const auto found = SendMessage(FListBox->ListBox()->Handle(), LB_FINDSTRING, from,
                                   reinterpret_cast<LPARAM>(old.c_str()));
    if (found < 0) return;
    SelectItem(static_cast<int>(found), true);
    FEdit->SetSelStart(static_cast<int>(old.size()));
    FEdit->SetSelLength(static_cast<int>(Text().size() - old.size()));
}

void TskSkinCustomComboBox::EditWindowProc(TMessage& Message) {
    const bool open = FListBox->Visible();
    switch (Message.Msg) {
    case WM_SETFOCUS:
        if (FSkinIndex != -1 && !IsEmptySkinRect(activeskinrect)) {
            FEdit->Font().SetColor(activefontcolor);
            Invalidate();
        }
        break;
    case WM_KILLFOCUS:
        if (open) CloseUp(false);
        if (FSkinIndex != -1 && !IsEmptySkinRect(activeskinrect)) {
            FEdit->Font().SetColor(fontcolor);
            Invalidate();
        }
        break;
    case WM_CANCELMODE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (open) CloseUp(false);
        break;
    case WM_MOUSEWHEEL:
        if (static_cast<std::int32_t>(Message.WParam) > 0)
            SelectPrior(!open);
        else
            SelectNext(!open);
        return;
    case WM_KEYDOWN:
        switch (Message.WParam) {
        case VK_RETURN:
            if (open) CloseUp(true);
            break;
        case VK_ESCAPE:
            if (open) CloseUp(false);
            break;
        case VK_PRIOR:
            if (open) FListBox->SetItemIndex(std::max(0, ItemIndex() - FDropDownCount - 1));
            break;
        case VK_NEXT:
            if (open)
                FListBox->SetItemIndex(
                    std::min(FListBox->Items().Count() - 1, ItemIndex() + FDropDownCount - 1));
            break;
        case VK_UP:
            SelectPrior(true);
            return;
        case VK_DOWN:
            SelectNext(true);
            return;
        default:
            break;
        }
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        EditKeyUp(Message);
        return;
    default:
        break;
    }
    FOldEditProc(Message);
}

// With a double-byte character set the composed text arrives with key codes of any value, so
// every key but the deleting ones drops the completed tail and completes again.
void TskSkinCustomComboBox::EditKeyUp(TMessage& Message) {
    const Byte charset = SkinCharSet(FSkinData, FDefaultFont);
    if (charset == 128 || charset == 134 || charset == 136) {
        const bool deleting = Message.WParam == VK_DELETE || Message.WParam == VK_BACK;
        if (!deleting) FEdit->ClearSelection();
        FOldEditProc(Message);
        if (!deleting && AutoComplete) DoAutoComplete();
        return;
    }
    FOldEditProc(Message);
    if (Message.Msg == WM_KEYUP && Message.WParam >= 48 && AutoComplete) DoAutoComplete();
}

// Messages.

void TskSkinCustomComboBox::Dispatch(TMessage& Message) {
    if (!FListBox) { // going away
        TskSkinCustomControl::Dispatch(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_SIZE:
        TskSkinCustomControl::Dispatch(Message);
        CalcRects();
        return;
    case WM_TIMER:
        TskSkinCustomControl::Dispatch(Message);
        if (Message.WParam != kScrollTimer) return;
        if (FScrollDirection == 1 && ItemIndex() > 0) SelectListIndex(ItemIndex() - 1, false);
        if (FScrollDirection == 2 && ItemIndex() < FListBox->Items().Count() - 1)
            SelectListIndex(ItemIndex() + 1, false);
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case CM_WANTSPECIALKEY:
        TskSkinCustomControl::Dispatch(Message);
        if (Message.WParam >= VK_LEFT && Message.WParam <= VK_DOWN) Message.Result = 1;
        return;
    case WM_MOUSEWHEEL:
        if (!FEdit) {
            const bool open = FListBox->Visible();
            if (static_cast<std::int32_t>(Message.WParam) <= 0)
                ItemDown(!open);
            else
                ItemUp(!open);
            Message.Result = 1;
            return;
        }
        break;
    case CM_CANCELMODE:
        TskSkinCustomControl::Dispatch(Message);
        if (!OwnSender(reinterpret_cast<TObject*>(Message.LParam))) CloseUp(false);
        return;
    case WM_CANCELMODE:
        TskSkinCustomControl::Dispatch(Message);
        CloseUp(false);
        return;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        if (FEdit && !FEditChange && FEdit->Text() != Text()) FEdit->SetText(Text());
        if (OnChange && !FQuietText) OnChange(this);
        if (FEditChange) Change();
        return;
    case WM_SETFOCUS:
        if (FEdit) {
            if (FEdit->CanFocus()) FEdit->SetFocus();
            return;
        }
        TskSkinCustomControl::Dispatch(Message);
        Repaint();
        return;
    case WM_KILLFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        if (!FEdit && FListBox->Visible()) CloseUp(false);
        Repaint();
        return;
    case CM_MOUSEENTER:
        TskSkinCustomControl::Dispatch(Message);
        FMouseIn = true;
        ApplyEditFont();
        Invalidate();
        return;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::Dispatch(Message);
        FMouseIn = false;
        if (FButtonHot) {
            FButtonHot = false;
            Repaint();
        }
        ApplyEditFont();
        Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        if (FEdit) {
            FEdit->SetEnabled(Enabled());
            ApplyEditFont();
        }
        Repaint();
        return;
    default:
        TskSkinCustomControl::Dispatch(Message);
    }
}

// Layout, skin and painting.

void TskSkinCustomComboBox::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* r = FSkinIndex != -1 ? dynamic_cast<TskDataSkinComboBox*>(SkinRecord()) : nullptr;
    if (!r) return;
    activeskinrect = r->activeskinrect;
    activefontcolor = SkinColorToColor(r->activefontcolor);
    fontname = r->fontname;
    fontstyle = r->fontstyle;
    fontheight = r->fontheight;
    itemrect = r->itemrect;
    focusitemrect = IsEmptySkinRect(r->focusitemrect) ? itemrect : r->focusitemrect;
    activeitemrect = r->activeitemrect;
    itemleftoffset = r->itemleftoffset;
    itemrightoffset = r->itemrightoffset;
    itemtextrect = r->itemtextrect;
    fontcolor = SkinColorToColor(r->fontcolor);
    focusfontcolor = SkinColorToColor(r->focusfontcolor);
    buttonrect = r->buttonrect;
    activebuttonrect = r->activebuttonrect;
    downbuttonrect = r->downbuttonrect;
    unenabledbuttonrect = r->unenabledbuttonrect;
    listboxname = r->listboxname;
    itemstretcheffect = r->itemstretcheffect;
    focusitemstretcheffect = r->focusitemstretcheffect;
    showfocus = r->showfocus;
}

void TskSkinCustomComboBox::CalcRects() {
    const int w = Width(), h = Height();
    if (FSkinIndex == -1) {
        FButtonRect = {w - 19, 2, w - 2, h - 2};
        FItemRect = {2, 2, FButtonRect.Left - 1, h - 2};
    } else {
        const TskSkinFace& f = FFace;
        const int dw = w - f.skinrect.Width();
        FButtonRect = buttonrect;
        if (buttonrect.Left >= f.skinrect.Width() - f.righttoppoint.X)
            FButtonRect = MoveRect(FButtonRect, dw, 0);
        FItemRect = f.clientrect;
        FItemRect.Right += dw;
        if (!FUseSkinSize) {
            const int dh = h - f.skinrect.Height();
            FButtonRect.Bottom += dh;
            FItemRect.Bottom += dh;
        }
    }
    if (FEdit) {
        const int eh = FontCellHeight(FEdit->Font());
        FEdit->SetBounds(FItemRect.Left, FItemRect.Top + FItemRect.Height() / 2 - eh / 2, FItemRect.Width(),
                         eh);
    }
}

// At any height the left end stays too.
void TskSkinCustomComboBox::CalcSize(int& W, int& H) {
    TskSkinEditBox::CalcSize(W, H);
    if (!FUseSkinSize) FFace.CurLeftTopPoint = FFace.lefttoppoint;
}

void TskSkinCustomComboBox::ChangeSkinData() {
    TskSkinCustomControl::ChangeSkinData();
    CalcRects();
    ApplyEditFont();
    Repaint();
    FListBox->SetSkinDataName(FSkinIndex != -1 ? listboxname : String());
    FListBox->SetSkinData(FSkinData);
    FListBox->UpdateScrollBars();
    CalcRects();
}

void TskSkinCustomComboBox::DefaultFontChanged() {
    FFont.Assign(FDefaultFont);
}

TColor TskSkinCustomComboBox::DisabledFontColor() {
    if (FSkinIndex != -1 && FSkinData) {
        const int i = FSkinData->IndexOfControlRecord("edit");
        if (auto* e = i >= 0 ? dynamic_cast<TskDataSkinEditControl*>(FSkinData->ControlRecord(i)) : nullptr)
            return SkinColorToColor(e->disabledfontcolor);
    }
    return clGrayText;
}

int TskSkinCustomComboBox::ShownIndex() const {
    return FListBox->Visible() ? FRememberedIndex : FListBox->ItemIndex();
}

void TskSkinCustomComboBox::DrawButton(TCanvas& c) {
    if (FSkinIndex == -1) {
        DrawPlainSmallButton(c, FButtonRect, FButtonPressed && FButtonHot, FButtonHot, true);
        DrawArrowGlyph(c.Handle(), FButtonRect, Enabled() ? 0 : ColorToRGB(clBtnShadow), 4);
        return;
    }
    TRect piece;
    if (!Enabled() && !IsEmptySkinRect(unenabledbuttonrect))
        piece = unenabledbuttonrect;
    else if (FButtonPressed && FButtonHot)
        piece = downbuttonrect;
    else if (FButtonHot)
        piece = activebuttonrect;
    if (!IsEmptySkinRect(piece)) StretchSkinPiece(c, FButtonRect, *FFace.SkinBitmap, piece);
}

void TskSkinCustomComboBox::DrawResizedButton(TCanvas& c) {
    const TskDataSkinButtonControl* b =
        FindButtonRecord(FSkinData, {"combobutton", "editbutton", "resizebutton"});
    if (!b) return;
    const bool pressed = FButtonPressed && FButtonHot;
    DrawSkinResizeButton(c, FSkinData, {"combobutton", "editbutton", "resizebutton"}, FButtonRect,
                         FButtonPressed, FButtonHot, 0);
    const TskColor color = pressed ? b->downfontcolor : FButtonHot ? b->activefontcolor : b->fontcolor;
    if (IsEmptySkinRect(b->menumarkerrect)) {
        if (Enabled())
            DrawArrowGlyph(
                c.Handle(),
                pressed ? TRect{FButtonRect.Left, FButtonRect.Top + 2, FButtonRect.Right, FButtonRect.Bottom}
                        : FButtonRect,
                color, 4);
        return;
    }
    TRect g = b->menumarkerrect;
    if (pressed && !IsEmptySkinRect(b->menumarkerdownrect))
        g = b->menumarkerdownrect;
    else if (FButtonHot && !IsEmptySkinRect(b->menumarkeractiverect))
        g = b->menumarkeractiverect;
    const int x = FButtonRect.Left + (FButtonRect.Width() - g.Width()) / 2;
    const int y = FButtonRect.Top + (FButtonRect.Height() - g.Height()) / 2 + (pressed ? 1 : 0);
    DrawSkinPiece(c, x, y, *FFace.SkinBitmap, g, true, b->menumarkertransparentcolor);
}

void TskSkinCustomComboBox::DrawItemContents(TCanvas& c, int Index, TRect TextRect, int W, int H,
                                             bool Focused, bool Skinned) {
    if (Index < 0 || Index >= FListBox->Items().Count()) return;
    const TOwnerDrawState state = Focused ? odFocused : 0;
    if (OnComboBoxDrawItem) {
        OnComboBoxDrawItem(&c, Index, W, H, TextRect, state);
        return;
    }
    if (Skinned && Focused && showfocus) {
        c.Brush().Style = bsSolid;
        c.Brush().Color = SkinColorToColor(FSkinData->SkinColors().cbtnface);
        c.DrawFocusRect({0, 0, W, H});
        c.Brush().Style = bsClear;
    }
    if (TCustomImageList* images = FListBox->Images()) {
        const int image = FListBox->ImageIndex() >= 0 ? FListBox->ImageIndex() : Index;
        if (image < images->Count())
            images->Draw(c, TextRect.Left, TextRect.Top + TextRect.Height() / 2 - images->Height() / 2,
                         image);
        TextRect.Left += images->Width() + 2;
    }
    c.Brush().Style = bsClear;
    TextRectVCentered(TextDC(c), FListBox->Items().Strings(Index), TextRect);
}

void TskSkinCustomComboBox::DrawDefaultItem(TCanvas& Canvas) {
    const int w = FItemRect.Width(), h = FItemRect.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h);
    TCanvas& c = b.Canvas();
    const bool focused = HandleAllocated() && Focused();
    c.Font().SetName(FFont.Name());
    c.Font().SetStyle(FFont.Style());
    c.Font().SetHeight(FFont.Height());
    c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    c.Font().SetColor(focused ? clHighlightText : FDefaultFont.Color());
    FillColor(c, {0, 0, w, h}, focused ? clHighlight : FDefaultColor);
    DrawItemContents(c, ShownIndex(), {2, 0, w - 2, h}, w, h, focused, false);
    if (focused) c.DrawFocusRect({0, 0, w, h});
    Canvas.Draw(FItemRect.Left, FItemRect.Top, &b);
}

void TskSkinCustomComboBox::DrawSkinItem(TCanvas& Canvas, bool Resized) {
    const int w = FItemRect.Width();
    if (w <= 0) return;
    const bool focused = HandleAllocated() && Focused();
    const bool plainState = IsEmptySkinRect(activeitemrect) || IsEmptySkinRect(activeskinrect) || !FMouseIn;
    const TskBitmap& pic = *FFace.SkinBitmap;
    const int h = Resized ? FItemRect.Height()
                          : (!IsEmptySkinRect(itemrect)        ? itemrect.Height()
                             : !IsEmptySkinRect(focusitemrect) ? focusitemrect.Height()
                                                               : FItemRect.Height());
    if (h <= 0) return;
    TBitmap b(w, h);
    TCanvas& c = b.Canvas();
    TRect piece;
    bool stretch = itemstretcheffect;
    if (focused) {
        piece = focusitemrect;
        stretch = focusitemstretcheffect;
    } else if (plainState) {
        piece = itemrect;
    } else {
        piece = activeitemrect;
    }
    if (IsEmptySkinRect(piece)) {
        // No picture for the item: it is transparent over the face beneath.
        c.CopyRect({0, 0, w, h}, Canvas,
                   {FItemRect.Left, FItemRect.Top, FItemRect.Left + w, FItemRect.Top + h});
    } else if (!Resized) {
        TskBitmap face;
        ComposeHorzSkinPicture(itemleftoffset, itemrightoffset, face, stretch, w, piece, pic);
        DrawSkin(c, 0, 0, face);
    } else {
        TskBitmap face(w, h);
        TRect centre = itemtextrect;
        if (focused) centre = {centre.Left + 1, centre.Top + 1, centre.Right - 1, centre.Bottom - 1};
        if (piece.Width() < itemrect.Width()) centre.Right -= itemrect.Width() - piece.Width();
        if (piece.Height() < itemrect.Height()) centre.Top -= itemrect.Height() - piece.Height();
        StretchSkinPicture(face, pic, piece, centre, true);
        DrawSkin(c, 0, 0, face);
    }
    TRect text = itemtextrect;
    text.Right += IsEmptySkinRect(itemrect) ? -FFace.clientrect.Width() : w - itemrect.Width();
    if (Resized) text.Bottom += Height() - FFace.skinrect.Height();
    TFont& f = c.Font();
    if (FUseSkinFont) {
        f.SetName(fontname);
        f.SetStyle(fontstyle);
        f.SetHeight(fontheight);
    } else {
        f.Assign(FDefaultFont);
    }
    f.SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    f.SetColor(focused                                          ? focusfontcolor
               : (!FMouseIn || IsEmptySkinRect(activeskinrect)) ? fontcolor
                                                                : activefontcolor);
    if (!Enabled() && !Resized) f.SetColor(DisabledFontColor());
    DrawItemContents(c, ShownIndex(), text, w, h, focused, true);
    Canvas.Draw(FItemRect.Left, FItemRect.Top, &b);
}

void TskSkinCustomComboBox::CreateControlDefaultImage(TBitmap& Bitmap) {
    CalcRects();
    TCanvas& c = Bitmap.Canvas();
    FillColor(c, {0, 0, Width(), Height()}, clBtnFace);
    FrameColor(c, {0, 0, Width(), Height()}, clBtnShadow);
    FillColor(c, {1, 1, Width() - 1, Height() - 1}, FDefaultColor);
    DrawButton(c);
    if (!FEdit && FListBox) DrawDefaultItem(c);
}

void TskSkinCustomComboBox::CreateControlSkinImage(TBitmap& Bitmap) {
    CalcRects();
    DrawFace(Bitmap, FFace.lefttoppoint.X, FFace.righttoppoint.X);
    TCanvas& c = Bitmap.Canvas();
    if (!FUseSkinSize)
        DrawResizedButton(c);
    else
        DrawButton(c);
    if (!FEdit && FListBox) DrawSkinItem(c, !FUseSkinSize);
}

namespace {
const TPropertyTable<TskSkinCustomComboBox>& ComboBoxProperties() {
    using namespace props;
    using C = TskSkinCustomComboBox;
    static const TPropertyTable<C> table{
        {"Items", StringsFields("Items", &C::Items)},
        {"ItemIndex", Call(&C::SetItemIndex, AsInt)},
        {"DropDownCount", Call(&C::SetDropDownCount, AsInt)},
        {"Style",
         [](C& c, const TPropValue& v) {
             c.SetStyle(v.AsIdent() == "skcbEditStyle" ? skcbEditStyle : skcbFixedStyle);
         }},
        {"ListBoxWidth", Store(&C::ListBoxWidth, AsInt)},
        {"AutoComplete", Store(&C::AutoComplete, AsBool)},
        {"Sorted", [](C& c, const TPropValue& v) { c.ListBox()->SetSorted(AsBool(v)); }},
    };
    return table;
}
} // namespace

bool TskSkinCustomComboBox::SetProperty(const String& name, const TPropValue& v) {
    // UseSkinSize is the edit box's.
    return ComboBoxProperties().Set(*this, name, v) || TskSkinEditBox::SetProperty(name, v);
}

} // namespace vd
