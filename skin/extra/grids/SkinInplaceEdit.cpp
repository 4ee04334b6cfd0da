#include "skin/extra/grids/SkinInplaceEdit.h"

#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStrings.h"
#include "skin/extra/grids/SkinGrid.h"

namespace vd {

namespace {
TskEditMenuFactory& MenuFactory() {
    static TskEditMenuFactory f;
    return f;
}
} // namespace

void SetInplaceEditMenuFactory(TskEditMenuFactory Factory) {
    MenuFactory() = std::move(Factory);
}

TskSkinInplaceEdit::TskSkinInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    SetTabStop(false);
    SetAutoSelect(false);
    SetVisible(false);
}

TskSkinInplaceEdit::~TskSkinInplaceEdit() {
    FreeContextMenu();
}

void TskSkinInplaceEdit::CreateParams(TCreateParams& Params) {
    TCustomMaskEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE;
    Params.Style &= ~WS_BORDER;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

bool TskSkinInplaceEdit::MayModify() {
    return FGrid ? FGrid->EditorMayModify() : true;
}

void TskSkinInplaceEdit::CaretToEnd() {
    // Nothing selected, the caret after the text.
    SetSelStart(static_cast<int>(Text().size()));
    SetSelLength(0);
}

void TskSkinInplaceEdit::InvalidateArea() {
    if (!HandleAllocated()) return;
    ValidateRect(Handle(), nullptr);
    InvalidateRect(Handle(), nullptr, TRUE);
    if (FGrid && FGrid->HandleAllocated()) {
        TRect r = GetClientRect();
        TPoint pts[2] = {{r.Left, r.Top}, {r.Right, r.Bottom}};
        MapWindowPoints(Handle(), FGrid->Handle(), pts, 2);
        r = {pts[0].X, pts[0].Y, pts[1].X, pts[1].Y};
        ValidateRect(FGrid->Handle(), &r);
        InvalidateRect(FGrid->Handle(), &r, FALSE);
    }
}

void TskSkinInplaceEdit::HideBox() {
    if (!HandleAllocated() || !IsWindowVisible(Handle())) {
        SetVisible(false);
        return;
    }
    InvalidateArea();
    // The focus goes to the grid before the window hides, so that the grid sees it come from its
    // editor (hiding the focused window would leave the focus nowhere).
    if (GetFocus() == Handle() && FGrid && FGrid->HandleAllocated()) vd::SetFocus(FGrid->Handle());
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    SetVisible(false);
}

void TskSkinInplaceEdit::MoveTo(const TRect& R, bool ForceRedraw) {
    if (R.Right <= R.Left || R.Bottom <= R.Top) {
        HideBox();
        return;
    }
    HandleNeeded();
    const bool redraw = ForceRedraw || !IsWindowVisible(Handle());
    InvalidateArea();
    SetBounds(R.Left, R.Top, R.Width(), R.Height());
    SetVisible(true);
    SetWindowPos(Handle(), nullptr, R.Left, R.Top, R.Width(), R.Height(),
                 SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOZORDER);
    FitTextArea();
    if (redraw) InvalidateArea();
    if (FGrid && FGrid->HandleAllocated() && GetFocus() == FGrid->Handle()) vd::SetFocus(Handle());
}

void TskSkinInplaceEdit::FitTextArea() {
    if (!HandleAllocated()) return;
    const TRect r{2, 2, Width() - 2, Height()};
    SendMessage(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
    SendMessage(Handle(), EM_SCROLLCARET, 0, 0);
}

void TskSkinInplaceEdit::LoadContents() {
    if (!FGrid) return;
    SetText(String());
    SetEditMask(FGrid->QueryEditMask(FGrid->EditorCol(), FGrid->EditorRow()));
    SetText(FGrid->QueryEditText(FGrid->EditorCol(), FGrid->EditorRow()));
    const int limit = FGrid->QueryEditLimit();
    SetMaxLength(limit < 0 ? 0 : limit);
}

void TskSkinInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (!FGrid) {
        TCustomMaskEdit::KeyDown(Key, Shift);
        return;
    }
    const bool forward = (FGrid->Options() & goAlwaysShowEditor) != 0;
    const int len = static_cast<int>(Text().size());
    const int start = SelStart();
    const int end = start + SelLength();
    const bool atLeft = start == 0 && (end == 0 || end == len);
    const bool atRight = (start == 0 || end == start) && end == len;
    auto toGrid = [&] {
        FGrid->KeyDown(Key, Shift);
        Key = 0;
    };
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
        toGrid();
        break;
    case VK_TAB:
        if (!(Shift & ssAlt)) toGrid();
        break;
    case VK_INSERT:
        if ((Shift & (ssShift | ssCtrl | ssAlt)) == 0)
            toGrid();
        else if ((Shift & (ssShift | ssCtrl | ssAlt)) == ssShift && !MayModify())
            Key = 0;
        break;
    case VK_LEFT:
    case VK_HOME:
        if (forward && ((Shift & ssCtrl) || atLeft)) toGrid();
        break;
    case VK_RIGHT:
    case VK_END:
        if (forward && ((Shift & ssCtrl) || atRight)) toGrid();
        break;
    case VK_F2:
        if (FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
        if (Key == VK_F2) {
            CaretToEnd();
            Key = 0;
            return;
        }
        break;
    default:
        break;
    }
    if (Key == VK_DELETE && !MayModify()) Key = 0;
    if (Key != 0) {
        if (FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
        if (Key != 0) TCustomMaskEdit::KeyDown(Key, Shift);
    }
}

void TskSkinInplaceEdit::KeyUp(Word& Key, TShiftState Shift) {
    if (FGrid)
        FGrid->KeyUp(Key, Shift);
    else
        TCustomMaskEdit::KeyUp(Key, Shift);
}

void TskSkinInplaceEdit::KeyPress(TKeyChar& Key) {
    if (FGrid) {
        FGrid->KeyPress(Key);
        if (Key >= 32 && !FGrid->AcceptsEditorKey(Key)) {
            Key = 0;
            MessageBeep(0);
        }
    }
    switch (Key) {
    case 9:
    case 27:
        Key = 0;
        break;
    case 13: {
        const int len = static_cast<int>(Text().size());
        if (SelStart() == 0 && SelLength() == len)
            CaretToEnd();
        else
            SelectAll();
        Key = 0;
        break;
    }
    case 8:
    case 22:
    case 24:
        if (!MayModify()) Key = 0;
        break;
    default:
        if (Key >= 32 && !MayModify()) Key = 0;
        break;
    }
    if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

void TskSkinInplaceEdit::DblClick() {
    if (FGrid) FGrid->DblClick();
}

void TskSkinInplaceEdit::FreeContextMenu() {
    delete FMenu.Get();
    FMenu = nullptr;
}

void TskSkinInplaceEdit::BuildContextMenu() {
    FreeContextMenu();
    FMenu = MenuFactory() ? MenuFactory()(this) : new TskSkinPopupMenu(this);
    if (!FMenu) return;
    // The editor's owner is the grid, not a form: the menu is told which frame shows it.
    if (auto* skinned = dynamic_cast<TskSkinPopupMenu*>(FMenu.Get()))
        skinned->SetPopupForm(GetParentForm(this));
    const TskResourceStrData* table =
        FGrid && FGrid->SkinData() ? FGrid->SkinData()->ResourceStrData() : nullptr;
    auto caption = [&](const char* key, const char* fallback) {
        return table ? table->LookupResString(key) : String(fallback);
    };
    const int start = SelStart(), len = SelLength();
    const bool hasSel = len > 0;
    const int textLen = static_cast<int>(Text().size());
    auto add = [&](const String& text, bool enabled, std::function<void()> action) {
        auto* item = new TMenuItem(FMenu);
        item->SetCaption(text);
        item->Enabled = enabled;
        if (action) item->OnClick = [action](TObject*) { action(); };
        FMenu->Items()->Add(item);
    };
    add(caption("EDIT_UNDO", "Undo"), CanUndo(), [this] { Undo(); });
    add("-", true, nullptr);
    add(caption("EDIT_CUT", "Cut"), hasSel && !ReadOnly(), [this] { CutToClipboard(); });
    add(caption("EDIT_COPY", "Copy"), hasSel, [this] { CopyToClipboard(); });
    add(caption("EDIT_PASTE", "Paste"), ClipboardHasText() && !ClipboardGetText().empty() && !ReadOnly(),
        [this] { PasteFromClipboard(); });
    add(caption("EDIT_DELETE", "Delete"), hasSel && !ReadOnly(), [this] { ClearSelection(); });
    add("-", true, nullptr);
    add(caption("EDIT_SELECTALL", "Select All"), !(start == 0 && len == textLen), [this] { SelectAll(); });
}

void TskSkinInplaceEdit::ShowContextMenu(TMessage& Message) {
    if (PopupMenu()) {
        TCustomMaskEdit::Dispatch(Message);
        return;
    }
    BuildContextMenu();
    if (!FMenu) return;
    TPoint p{GetXLParam(Message.LParam), GetYLParam(Message.LParam)};
    if (p.X < 0 || p.Y < 0) p = ClientToScreen({Width() / 2, Height() / 2});
    FMenu->SetPopupComponent(this);
    // Opened on behalf of the editor, which hears of a carried-out command (1229) and frees it.
    if (auto* skinned = dynamic_cast<TskSkinPopupMenu*>(FMenu.Get()))
        skinned->PopupAtControl(this, p.X, p.Y);
    else
        FMenu->Popup(p.X, p.Y);
    Message.Result = 0;
}

void TskSkinInplaceEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_SHOWINGCHANGED:
        return; // the grid alone shows and hides the editor
    case WM_GETDLGCODE:
        TCustomMaskEdit::Dispatch(Message);
        if (FGrid && (FGrid->Options() & goTabs)) Message.Result |= DLGC_WANTTAB;
        return;
    case WM_PASTE:
    case WM_CLEAR:
    case WM_CUT:
        if (MayModify()) TCustomMaskEdit::Dispatch(Message);
        return;
    case WM_CONTEXTMENU:
        ShowContextMenu(Message);
        return;
    case WM_SKINMENUCOMMAND:
        FreeContextMenu();
        return;
    default:
        TCustomMaskEdit::Dispatch(Message);
    }
}

void TskSkinInplaceEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS: {
        // The form keeps the grid as its focused control while the editor has the focus.
        TCustomForm* form = GetParentForm(this);
        if (form && FGrid) {
            if (form->SetFocusedControl(FGrid)) DefaultHandler(Message);
            return;
        }
        break;
    }
    case WM_LBUTTONDOWN: {
        // Unsigned difference: right across the wrap of the message clock.
        const std::uint32_t now = static_cast<std::uint32_t>(GetMessageTime());
        if (FLastClick && now - *FLastClick < GetDoubleClickTime()) Message.Msg = WM_LBUTTONDBLCLK;
        FLastClick.reset();
        break;
    }
    default:
        break;
    }
    TCustomMaskEdit::WndProc(Message);
}

} // namespace vd
