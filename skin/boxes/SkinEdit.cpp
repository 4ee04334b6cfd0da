#include "skin/boxes/SkinEdit.h"

#include "platform/gfx/Gdi.h"
#include "platform/rtl/FloatText.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/boxes/BoxPaint.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinPaint.h"
#include "skin/controls/SkinReskin.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinStrings.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"

#include <algorithm>

namespace vd {

namespace {

constexpr UINT kPaintFrameMessage = 48203; // 0xBC4B
constexpr LPARAM kPaintMagic = 16802;
constexpr LRESULT kHitButton = 6, kHitFrame = 7;

// Edits take a loaded skin with the other controls of their form (font, colour, height).
void RegisterReskin() {
    static const bool done = (RegisterReskinHandler(ChangeSkinDataHandler<TskSkinCustomEdit>()), true);
    (void)done;
}

TskEditMenuPopup& MenuPopup() {
    static TskEditMenuPopup popup;
    return popup;
}

TskEditMenuFactory& MenuFactory() {
    static TskEditMenuFactory factory;
    return factory;
}

// The skin strings of a control's form: the string table of its first frame's skin object, or
// null.
const TskResourceStrData* FormStrings(TControl* control) {
    TCustomForm* form = GetParentForm(control);
    for (int i = 0; form && i < form->ComponentCount(); ++i)
        if (auto* frame = dynamic_cast<TskSkinForm*>(form->Components(i)))
            return frame->SkinData() ? frame->SkinData()->ResourceStrData() : nullptr;
    return nullptr;
}

} // namespace

void SetEditMenuPopup(TskEditMenuPopup Popup) {
    MenuPopup() = std::move(Popup);
}

void SetEditMenuFactory(TskEditMenuFactory Factory) {
    MenuFactory() = std::move(Factory);
}

// The inner edit.

TskCustomEdit::TskCustomEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    FControlStyle |= csOpaque;
}

TskCustomEdit::~TskCustomEdit() {
    FreeContextMenu();
    Destroying();
}

void TskCustomEdit::Destroying() {
    FreeContextMenu();
    TCustomMaskEdit::Destroying();
}

void TskCustomEdit::FreeContextMenu() {
    if (!FSkinContextMenu) return;
    TPopupMenu* m = FSkinContextMenu;
    FSkinContextMenu = nullptr;
    m->Free();
}

void TskCustomEdit::CreateParams(TCreateParams& Params) {
    TCustomMaskEdit::CreateParams(Params);
    Params.Style &= ~WS_BORDER;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

void TskCustomEdit::CreateWnd() {
    TCustomMaskEdit::CreateWnd();
    SendMessage(FHandle, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MakeLParam(2, 0));
}

void TskCustomEdit::SetReadOnly(bool Value) {
    TCustomMaskEdit::SetReadOnly(Value);
}

void TskCustomEdit::SetEditTransparent(bool Value) {
    FEditTransparent = Value;
    SetTransparent(Value);
    Invalidate();
}

void TskCustomEdit::CreateSkinContextMenu() {
    FreeContextMenu();
    TPopupMenu* menu = MenuFactory() ? MenuFactory()(this) : new TskSkinPopupMenu(this);
    if (!menu) menu = new TPopupMenu(this);
    FSkinContextMenu = menu;
    // The menu opens through the frame of the edit's form, however deep the edit sits in its
    // host (a spin edit's or combo box's inner edit); a child form's menus go through the main
    // form's frame.
    if (auto* skinned = dynamic_cast<TskSkinPopupMenu*>(menu)) {
        TCustomForm* form = GetParentForm(this);
        if (form && form->FormStyle() == fsMDIChild && Application) form = Application->MainForm();
        skinned->SetPopupForm(form);
    }
    const TskResourceStrData* strings = FormStrings(this);
    auto text = [strings](const char* key, const char* builtIn) {
        return strings ? strings->LookupResString(key) : String(builtIn);
    };
    const bool selection = SelLength() > 0;
    const bool all = SelStart() == 0 && SelLength() == static_cast<int>(Text().size());
    struct Entry {
        const char* Key;
        const char* BuiltIn;
        bool Enabled;
        std::function<void()> Action;
    };
    const Entry entries[] = {
        {"EDIT_UNDO", "Undo", CanUndo(), [this] { Undo(); }},
        {nullptr, "-", true, nullptr},
        {"EDIT_CUT", "Cut", selection && !ReadOnly(), [this] { CutToClipboard(); }},
        {"EDIT_COPY", "Copy", selection, [this] { CopyToClipboard(); }},
        {"EDIT_PASTE", "Paste", ClipboardHasText() && !ReadOnly(), [this] { PasteFromClipboard(); }},
        {"EDIT_DELETE", "Delete", selection && !ReadOnly(), [this] { ClearSelection(); }},
        {nullptr, "-", true, nullptr},
        {"EDIT_SELECTALL", "Select All", !all, [this] { SelectAll(); }},
    };
    for (const Entry& e : entries) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(e.Key ? text(e.Key, e.BuiltIn) : String("-"));
        item->Enabled = e.Enabled;
        if (e.Action) item->OnClick = [action = e.Action](TObject*) { action(); };
        menu->Items()->Add(item);
    }
}

void TskCustomEdit::ContextMenu(TMessage& Message) {
    if (PopupMenu()) {
        TCustomMaskEdit::WndProc(Message);
        return;
    }
    CreateSkinContextMenu();
    TPoint p{GetXLParam(Message.LParam), GetYLParam(Message.LParam)};
    // The menu key and Shift+F10 give no point: the menu opens at the edit's centre.
    if (p.X < 0 || p.Y < 0) {
        p = ClientToScreen({0, 0});
        p.X += Width() / 2;
        p.Y += Height() / 2;
    }
    if (MenuPopup())
        MenuPopup()(FSkinContextMenu, this, p);
    else if (auto* skinned = dynamic_cast<TskSkinPopupMenu*>(FSkinContextMenu))
        skinned->PopupFromRect(this, {p.X, p.Y, p.X, p.Y}, 0);
}

void TskCustomEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CHAR: {
        const auto ch = static_cast<char32_t>(Message.WParam);
        if (ch == 13 || ch == 27) {
            // Enter and Esc are dialog keys: the form's default and cancel buttons act.
            TKeyChar copy = ch;
            if (OnKeyPress) OnKeyPress(this, copy);
            if (TCustomForm* form = GetParentForm(this)) form->Perform(CM_DIALOGKEY, ch, Message.LParam);
            return;
        }
        if (ReadOnly()) return;
        break;
    }
    case WM_KEYDOWN:
        if (ReadOnly() && Message.WParam == VK_DELETE) return;
        break;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
        if (ReadOnly()) return;
        break;
    case WM_LBUTTONDOWN:
        TCustomMaskEdit::WndProc(Message);
        FLeftButtonDown = true;
        return;
    case WM_LBUTTONUP:
        TCustomMaskEdit::WndProc(Message);
        FLeftButtonDown = false;
        return;
    case WM_SETFOCUS:
        TCustomMaskEdit::WndProc(Message);
        if (AutoSelect()) SelectAll();
        return;
    case CM_CANCELMODE:
        TCustomMaskEdit::WndProc(Message);
        if (OnCancelMode) OnCancelMode(reinterpret_cast<TObject*>(Message.LParam));
        return;
    case WM_CONTEXTMENU:
        ContextMenu(Message);
        return;
    case WM_SKINMENUCOMMAND:
        FreeContextMenu();
        return;
    default:
        break;
    }
    TCustomMaskEdit::WndProc(Message);
}

// The spin edit's inner edit.

TskSkinNumEdit::TskSkinNumEdit(TComponent* AOwner) : TskCustomEdit(AOwner) {}

bool TskSkinNumEdit::IsValidChar(char32_t C) {
    const char32_t sep = static_cast<unsigned char>(DecimalSeparator);
    bool ok = C == U'-' || (C >= U'0' && C <= U'9') || (C < 32 && C != 13) || (Float && C == sep);
    if (!EditorEnabled && ok && (C >= 32 || C == 8)) ok = false;
    if (ok && Float && C == sep && Text().find(DecimalSeparator) != String::npos) ok = false;
    if (ok && C == U'-' && Text().find('-') != String::npos) ok = false;
    return ok;
}

void TskSkinNumEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_UP) {
        if (OnUpKey) OnUpKey(this);
        Key = 0;
        return;
    }
    if (Key == VK_DOWN) {
        if (OnDownKey) OnDownKey(this);
        Key = 0;
        return;
    }
    TskCustomEdit::KeyDown(Key, Shift);
}

void TskSkinNumEdit::KeyPress(TKeyChar& Key) {
    if (!IsValidChar(Key)) Key = 0;
    if (Key != 0) TskCustomEdit::KeyPress(Key);
}

// The skinned edit.

TskSkinCustomEdit::TskSkinCustomEdit(TComponent* AOwner) : TskCustomEdit(AOwner) {
    RegisterReskin();
    FAutoSize = false;
    SetDefaultFace(FFont);
    FFont.SetColor(clBlack);
    FHeight = 20;
    FDefaultFont.Assign(FFont);
    FDefaultFont.OnChange = [this](TObject*) {
        if (FSkinIndex == -1) FFont.Assign(FDefaultFont);
    };
    FEditTransparent = true;
    FTransparent = true;
    OnPaintBackground = [this](TObject*, HDC dc, const TRect&) { PaintTextBackground(dc); };
}

void TskSkinCustomEdit::Loaded() {
    TskCustomEdit::Loaded();
    if (FSkinData && FSkinData->ResourceStrData()) FFont.SetCharset(FSkinData->ResourceStrData()->CharSet());
}

void TskSkinCustomEdit::CreateParams(TCreateParams& Params) {
    TskCustomEdit::CreateParams(Params);
    Params.ExStyle &= ~WS_EX_TRANSPARENT;
    Params.Style &= ~WS_BORDER;
}

void TskSkinCustomEdit::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
    if (Value && !Value->Empty() && !(ComponentState() & csDesigning)) ChangeSkinData();
}

void TskSkinCustomEdit::SetDefaultColor(TColor Value) {
    FDefaultColor = Value;
    if (FSkinIndex == -1) Invalidate();
}

void TskSkinCustomEdit::SetDefaultFont(const TFont& Value) {
    FDefaultFont.Assign(Value);
    if (FSkinIndex == -1) FFont.Assign(Value);
}

void TskSkinCustomEdit::SetDefaultWidth(int Value) {
    FDefaultWidth = Value;
    if (FSkinIndex == -1 && Value > 0) SetWidth(Value);
}

void TskSkinCustomEdit::SetDefaultHeight(int Value) {
    FDefaultHeight = Value;
    if (FSkinIndex == -1 && Value > 0 && FUseSkinFont)
        SetHeight(Value);
    else
        AdjustEditHeight();
}

void TskSkinCustomEdit::SetButtonMode(bool Value) {
    FButtonMode = Value;
    if ((ComponentState() & csDesigning) && !(ComponentState() & csLoading))
        FSkinDataName = Value ? "buttonedit" : "edit";
    if (HandleAllocated()) {
        SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        RedrawFrame();
    }
}

void TskSkinCustomEdit::GetSkinData() {
    if (!SkinUsable(FSkinData)) {
        FSkinIndex = -1;
        return;
    }
    FSkinIndex = FSkinData->IndexOfControlRecord(FSkinDataName);
    auto* r = FSkinIndex != -1 ? dynamic_cast<TskDataSkinEditControl*>(FSkinData->ControlRecord(FSkinIndex))
                               : nullptr;
    FPicture = r ? FSkinData->ActivePicture(r->pictureindex) : nullptr;
    // A record of another kind or without a picture is no record: the plain look.
    if (!r || !FPicture) {
        FSkinIndex = -1;
        return;
    }
    LeftOffset = r->lefttoppoint.X;
    RightOffset = r->skinrect.Width() - r->righttoppoint.X;
    lefttoppoint = r->lefttoppoint;
    righttoppoint = r->righttoppoint;
    clientrect = r->clientrect;
    skinrect = r->skinrect;
    activeskinrect = IsEmptySkinRect(r->activeskinrect) ? skinrect : r->activeskinrect;
    fontname = r->fontname;
    fontstyle = r->fontstyle;
    fontheight = r->fontheight;
    fontcolor = SkinColorToColor(r->fontcolor);
    disabledfontcolor = SkinColorToColor(r->disabledfontcolor);
    activefontcolor = SkinColorToColor(r->activefontcolor);
    buttonrect = r->buttonrect;
    activebuttonrect = r->activebuttonrect;
    downbuttonrect = IsEmptySkinRect(r->downbuttonrect) ? activebuttonrect : r->downbuttonrect;
    unenabledbuttonrect = r->unenabledbuttonrect;
    stretcheffect = r->stretcheffect;
}

void TskSkinCustomEdit::CalcRects() {
    const int w = Width(), h = Height();
    if (FSkinIndex == -1) {
        if (FButtonMode) {
            FButtonArea = {w - h, 0, w, h};
            FTextArea = {2, 2, FButtonArea.Left - 2, h - 2};
        } else {
            FButtonArea = {};
            FTextArea = {2, 2, w - 2, h - 2};
        }
        return;
    }
    const int dw = w - skinrect.Width();
    FTextArea = {clientrect.Left, clientrect.Top, clientrect.Right + dw, clientrect.Bottom};
    FButtonArea = buttonrect;
    if (FButtonArea.Left >= righttoppoint.X) FButtonArea = MoveRect(FButtonArea, dw, 0);
    if (!FUseSkinFont) {
        const int dh = h - skinrect.Height();
        FTextArea.Bottom += dh;
        FButtonArea.Bottom += dh;
    }
}

int TskSkinCustomEdit::CalcEditHeight() {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont.Handle()));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    DeleteDC(dc);
    return tm.tmHeight + (FSkinIndex == -1 ? 4 : skinrect.Height() - clientrect.Height());
}

void TskSkinCustomEdit::RedrawFrame() {
    if (Parent() && HandleAllocated()) SendMessage(WindowHandle(), WM_NCPAINT, 0, 0);
}

void TskSkinCustomEdit::Invalidate() {
    if (Parent() && HandleAllocated()) RedrawWindow(WindowHandle(), nullptr, RDW_ERASE | RDW_INVALIDATE);
}

void TskSkinCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    GetSkinData();
    if (!(AWidth == Width() && AHeight == Height()) && !(FSkinIndex == -1 && FUseSkinFont)) {
        if (!FUseSkinFont)
            AHeight = CalcEditHeight();
        else if (FSkinIndex != -1)
            AHeight = skinrect.Height();
    }
    // Only an aligned edit is centred in a tool bar; a placed one keeps the top it was given.
    if (Align() != alNone) ATop = SkinToolBarTop(this, ATop, AHeight);
    TskCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    Invalidate();
    RedrawFrame();
}

void TskSkinCustomEdit::UpdateFontColor(bool Hot) {
    if (FSkinIndex == -1) return;
    FFont.SetColor(Hot ? activefontcolor : fontcolor);
}

void TskSkinCustomEdit::ChangeSkinData() {
    GetSkinData();
    if (FSkinIndex == -1) {
        FFont.Assign(FDefaultFont);
        if (FDefaultWidth > 0) SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0) SetHeight(FDefaultHeight);
    } else if (FUseSkinFont) {
        FFont.SetName(fontname);
        FFont.SetStyle(fontstyle);
        SetHeight(skinrect.Height());
        FFont.SetHeight(fontheight);
    } else {
        FFont.Assign(FDefaultFont);
    }
    FFont.SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    if (HandleAllocated()) RecreateWnd();
    if (FSkinIndex == -1)
        FFont.SetColor(FDefaultFont.Color());
    else
        FFont.SetColor(HandleAllocated() && Focused() ? activefontcolor : fontcolor);
    if (!FUseSkinFont) AdjustEditHeight();
    RedrawFrame();
}

// Frame painting into DC (window coordinates), the text area left out.
void TskSkinCustomEdit::PaintFrame(HDC DC) {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0) return;
    GetSkinData();
    CalcRects();
    TBitmap b(w, h);
    TCanvas& c = b.Canvas();
    const bool hot = FMouseIn || (HandleAllocated() && Focused());
    if (FSkinIndex == -1) {
        const TRect r{0, 0, FButtonMode ? FButtonArea.Left : w, h};
        FrameColor(c, r, clBtnShadow);
        FrameColor(c, {1, 1, r.Right - 1, h - 1}, clBtnFace);
        FillColor(c, {2, 2, r.Right - 2, h - 2}, FDefaultColor);
        if (FButtonMode)
            DrawPlainSmallButton(c, FButtonArea, FButtonDown && FButtonActive, FButtonActive, true);
    } else if (FUseSkinFont) {
        TskBitmap face;
        ComposeHorzSkinPicture(LeftOffset, RightOffset, face, stretcheffect, w,
                               hot ? activeskinrect : skinrect, *FPicture);
        DrawSkin(c, 0, 0, face);
        if (FButtonMode) {
            TRect piece;
            if (!Enabled() && !IsEmptySkinRect(unenabledbuttonrect))
                piece = unenabledbuttonrect;
            else if (FButtonDown && FButtonActive)
                piece = downbuttonrect;
            else if (FButtonActive)
                piece = activebuttonrect;
            if (!IsEmptySkinRect(piece)) StretchSkinPiece(c, FButtonArea, *FPicture, piece);
        }
    } else {
        TskBitmap face(w, h);
        StretchSkinPicture(face, *FPicture, hot ? activeskinrect : skinrect, clientrect, false);
        DrawSkin(c, 0, 0, face);
        if (FButtonMode)
            DrawSkinResizeButton(c, FSkinData, {"editbutton", "resizebutton"}, FButtonArea,
                                 FButtonDown && FButtonActive, FButtonActive, 0);
    }
    SaveGuard save(DC);
    ExcludeClipRect(DC, FTextArea.Left, FTextArea.Top, FTextArea.Right, FTextArea.Bottom);
    BitBlt(DC, 0, 0, w, h, c.Handle(), 0, 0, SRCCOPY);
}

// The text area's background into DC (client coordinates).
void TskSkinCustomEdit::PaintTextBackground(HDC DC) {
    GetSkinData();
    CalcRects();
    const int w = FTextArea.Width(), h = FTextArea.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap b(w, h);
    TCanvas& c = b.Canvas();
    if (FSkinIndex == -1) {
        FillColor(c, {0, 0, w, h}, FDefaultColor);
    } else {
        const bool hot = FMouseIn || (HandleAllocated() && Focused());
        const TRect base = hot ? activeskinrect : skinrect;
        const TRect src{base.Left + clientrect.Left, base.Top + clientrect.Top,
                        base.Left + clientrect.Left + clientrect.Width(),
                        base.Top + clientrect.Top + clientrect.Height()};
        TskBitmap face;
        ComposeHorzSkinPicture(std::max(0, lefttoppoint.X - clientrect.Left),
                               std::max(0, clientrect.Right - righttoppoint.X), face, stretcheffect, w, src,
                               *FPicture);
        if (FUseSkinFont)
            DrawSkin(c, 0, 0, face);
        else if (!face.Empty())
            StretchSkinBitmap(c.Handle(), {0, 0, w, h}, face, {0, 0, face.Width(), face.Height()});
    }
    BitBlt(DC, 0, 0, w, h, c.Handle(), 0, 0, SRCCOPY);
}

void TskSkinCustomEdit::PaintDisabledText(HDC DC) {
    PaintTextBackground(DC);
    TCanvas c;
    c.SetHandle(DC);
    TFont& f = c.Font();
    if (FSkinIndex != -1 && FUseSkinFont)
        SetSkinFont(f, fontname, fontheight, fontstyle, disabledfontcolor);
    else {
        f.Assign(FDefaultFont);
        f.SetColor(FSkinIndex == -1 ? clGrayText : disabledfontcolor);
    }
    f.SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    c.Brush().Style = bsClear;
    const TRect r{0, 0, FTextArea.Width(), FTextArea.Height()};
    const int tw = c.TextWidth(Text());
    const int x = Alignment() == taLeftJustify    ? r.Left + 2
                  : Alignment() == taRightJustify ? r.Right - tw - 1
                                                  : r.Left + r.Width() / 2 - tw / 2;
    c.TextRect(r, x, r.Top, Text());
    c.SetHandle(nullptr);
}

void TskSkinCustomEdit::Dispatch(TMessage& Message) {
    const bool designing = (ComponentState() & csDesigning) != 0;
    const bool buttons = FButtonMode && !designing;
    switch (Message.Msg) {
    case WM_NCCALCSIZE: {
        GetSkinData();
        auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam);
        if (!p) return;
        TRect& r = p->rgrc[0];
        if (FSkinIndex == -1) {
            const int h = r.Height();
            r.Left += 2;
            r.Top += 2;
            r.Bottom -= 2;
            r.Right -= FButtonMode ? h + 2 : 2;
        } else {
            r.Left += clientrect.Left;
            r.Top += clientrect.Top;
            r.Right -= skinrect.Width() - clientrect.Right;
            r.Bottom -= skinrect.Height() - clientrect.Bottom;
        }
        Message.Result = 0;
        return;
    }
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(Handle());
        PaintFrame(dc);
        ReleaseDC(Handle(), dc);
        Message.Result = 0;
        return;
    }
    case kPaintFrameMessage:
        if (Message.LParam == kPaintMagic) {
            if (Message.WParam) PaintFrame(reinterpret_cast<HDC>(Message.WParam));
            Message.Result = kPaintMagic;
            return;
        }
        break;
    case WM_NCHITTEST:
        if (buttons) {
            TPoint p = ScreenToClient({GetXLParam(Message.LParam), GetYLParam(Message.LParam)});
            p.X += FSkinIndex == -1 ? 2 : clientrect.Left;
            p.Y += FSkinIndex == -1 ? 2 : clientrect.Top;
            CalcRects();
            if (InRect(FButtonArea, p.X, p.Y)) {
                Message.Result = kHitButton;
                return;
            }
            if (!InRect(FTextArea, p.X, p.Y)) {
                Message.Result = kHitFrame;
                return;
            }
        }
        break;
    case WM_NCMOUSEMOVE:
        if (buttons) {
            if (static_cast<LRESULT>(Message.WParam) == kHitButton) {
                if (!FButtonActive) {
                    FButtonActive = true;
                    RedrawFrame();
                    Invalidate();
                }
                return;
            }
            if (FButtonActive) {
                FButtonActive = false;
                RedrawFrame();
                Invalidate();
            }
        }
        break;
    case WM_MOUSEMOVE:
        TskCustomEdit::Dispatch(Message);
        if (FButtonActive) {
            FButtonActive = false;
            RedrawFrame();
        }
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (buttons && static_cast<LRESULT>(Message.WParam) == kHitButton) {
            FButtonDown = true;
            RedrawFrame();
            return;
        }
        break;
    case WM_NCLBUTTONUP:
        if (buttons) {
            // A release over the button clicks it, also after a press that began elsewhere.
            const bool click = static_cast<LRESULT>(Message.WParam) == kHitButton;
            if (FButtonDown) {
                FButtonDown = false;
                RedrawFrame();
            }
            if (click) {
                if (!Focused() && CanFocus()) SetFocus();
                if (OnButtonClick) OnButtonClick(this);
                return;
            }
        }
        break;
    case WM_PAINT:
        if (!Enabled()) {
            PAINTSTRUCT ps;
            HDC dc = reinterpret_cast<HDC>(Message.WParam);
            if (!dc) {
                BeginPaint(Handle(), ps);
                dc = ps.hdc;
            }
            PaintDisabledText(dc);
            if (!Message.WParam) EndPaint(Handle(), ps);
            return;
        }
        break;
    case WM_SIZE:
        TskCustomEdit::Dispatch(Message);
        RedrawFrame();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskCustomEdit::Dispatch(Message);
        RedrawFrame();
        Invalidate();
        if (!FMouseIn) UpdateFontColor(Message.Msg == WM_SETFOCUS);
        return;
    case CM_MOUSEENTER:
        FMouseIn = true;
        if (!Focused() && FSkinIndex != -1) {
            UpdateFontColor(true);
            RedrawFrame();
            Invalidate();
        }
        TskCustomEdit::Dispatch(Message);
        return;
    case CM_MOUSELEAVE:
        FMouseIn = false;
        if (!Focused() && FSkinIndex != -1) {
            UpdateFontColor(false);
            RedrawFrame();
            Invalidate();
        }
        if (FButtonDown || FButtonActive) {
            FButtonDown = FButtonActive = false;
            RedrawFrame();
            Invalidate();
        }
        TskCustomEdit::Dispatch(Message);
        return;
    case CM_FONTCHANGED:
        TskCustomEdit::Dispatch(Message);
        if (!FUseSkinFont && !((ComponentState() & csLoading) && designing)) {
            AdjustEditHeight();
            if (FSkinIndex == -1 && HandleAllocated()) RecreateWnd();
        }
        return;
    case CM_ENABLEDCHANGED:
        TskCustomEdit::Dispatch(Message);
        Invalidate();
        RedrawFrame();
        return;
    default:
        break;
    }
    TskCustomEdit::Dispatch(Message);
}

namespace {

const TPropertyTable<TskSkinCustomEdit>& EditProperties() {
    using namespace props;
    using C = TskSkinCustomEdit;
    static const TPropertyTable<C> table{
        {"ButtonMode", Call(&C::SetButtonMode, AsBool)},
        {"UseSkinFont", Call(&C::SetUseSkinFont, AsBool)},
        {"DefaultWidth", Call(&C::SetDefaultWidth, AsInt)},
        {"DefaultHeight", Call(&C::SetDefaultHeight, AsInt)},
        {"SkinDataName", Call(&C::SetSkinDataName, AsText)},
        {"SkinData", Link<TskSkinData>(&C::SetSkinData)},
    };
    return table;
}

} // namespace

bool TskSkinCustomEdit::SetProperty(const String& name, const TPropValue& v) {
    return EditProperties().Set(*this, name, v) || TskCustomEdit::SetProperty(name, v);
}

bool TskSkinCustomEdit::SetComponentProperty(const String& name, TComponent* value) {
    return EditProperties().SetComponent(*this, name, value) ||
           TskCustomEdit::SetComponentProperty(name, value);
}

} // namespace vd
