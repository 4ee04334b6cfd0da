#include "skin/boxes/SkinPasswordEdit.h"

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Utf8.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"
#include "skin/boxes/BoxPaint.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/store/SkinBitmap.h"
#include "skin/store/SkinControlRecords.h"

#include <algorithm>

namespace vd {

namespace {

std::u32string Decode(const String& s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = 1;
        out.push_back(Utf8Decode(s, i, &n));
        i += std::max<std::size_t>(1, n);
    }
    return out;
}

String Encode(const std::u32string& s) {
    String out;
    for (char32_t c : s)
        out += Utf8Encode(c);
    return out;
}

std::u32string ApplyCase(const std::u32string& s, TEditCharCase c) {
    if (c == ecNormal || s.empty()) return s;
    const String e = Encode(s);
    return Decode(c == ecUpperCase ? AnsiUpperCase(e) : AnsiLowerCase(e));
}

} // namespace

TskSkinPasswordEdit::TskSkinPasswordEdit(TComponent* AOwner) : TskSkinCustomControl(AOwner) {
    SetSkinDataName("edit");
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    FControlStyle = (FControlStyle & ~csSetCaption) | csCaptureMouse | csDoubleClicks;
    SetCursor(crIBeam);
}

String TskSkinPasswordEdit::Text() const {
    return Encode(FText);
}

void TskSkinPasswordEdit::SetText(const String& Value) {
    SetTextU(Decode(Value));
}

void TskSkinPasswordEdit::SetTextU(std::u32string Value) {
    const bool changed = Value != FText;
    FText = ApplyCase(Value, FCharCase);
    ClampSelection();
    Invalidate();
    if (changed) Change();
}

void TskSkinPasswordEdit::Change() {
    if (Enabled() && HandleAllocated()) SetCaretPosition(FCaret);
    if (OnChange) OnChange(this);
}

void TskSkinPasswordEdit::SetDefaultColor(TColor Value) {
    FDefaultColor = Value;
    if (FSkinIndex == -1) Invalidate();
}

void TskSkinPasswordEdit::SetCharCase(TEditCharCase Value) {
    if (Value == FCharCase) return;
    FCharCase = Value;
    if (!FText.empty() && Value != ecNormal) SetTextU(ApplyCase(FText, Value));
}

void TskSkinPasswordEdit::SetHideSelection(bool Value) {
    if (Value == FHideSelection) return;
    FHideSelection = Value;
    Invalidate();
}

void TskSkinPasswordEdit::SetPasswordKind(TskPasswordKind Value) {
    if (Value == FKind) return;
    FKind = Value;
    Invalidate();
}

void TskSkinPasswordEdit::SetTextAlignment(TAlignment Value) {
    if (Value == FAlignment) return;
    FAlignment = Value;
    Invalidate();
}

int TskSkinPasswordEdit::SelStart() const {
    return FSelLength > 0 ? FSelStart : FSelLength == 0 ? FCaret : FSelStart + FSelLength;
}

int TskSkinPasswordEdit::SelLength() const {
    return std::abs(FSelLength);
}

void TskSkinPasswordEdit::SetSelLength(int N) {
    if (N == FSelLength) return;
    FSelLength = N;
    ClampSelection();
    Invalidate();
}

void TskSkinPasswordEdit::SetSelStart(int S) {
    if (S == FSelStart) return;
    SetSelLength(0);
    FSelStart = S;
    ClampSelection();
    SetCaretPosition(S);
    Invalidate();
}

// The caret and both ends of the selection stay inside the text, whatever shortened it: every
// edit erases from SelStart.
void TskSkinPasswordEdit::ClampSelection() {
    const int len = static_cast<int>(FText.size());
    const int from = std::clamp(FSelStart, 0, len);
    const auto to = std::clamp<long long>(static_cast<long long>(FSelStart) + FSelLength, 0, len);
    FSelStart = from;
    FSelLength = static_cast<int>(to) - from;
    FCaret = std::clamp(FCaret, 0, len);
}

TRect TskSkinPasswordEdit::GetEditRect() {
    if (FSkinIndex == -1) return {2, 2, Width() - 2, Height() - 2};
    int w = Width(), h = Height();
    FFace.CalcSize(w, h);
    TRect r = FFace.CurClientRect;
    if (!FUseSkinFont) r.Bottom += Height() - FFace.skinrect.Height();
    return r;
}

int TskSkinPasswordEdit::CellWidth() {
    return GetEditRect().Height() / 2 + 3;
}

int TskSkinPasswordEdit::CharX(int I) {
    const TRect r = GetEditRect();
    const int cw = CellWidth(), len = static_cast<int>(FText.size());
    int x = I > 0 ? r.Left + (std::min(I, len) - FFirst + 1) * cw : r.Left;
    if (len * cw < r.Width()) {
        if (FAlignment == taRightJustify) x += r.Width() - len * cw;
        if (FAlignment == taCenter) x += (r.Width() - len * cw) / 2;
    }
    return x;
}

int TskSkinPasswordEdit::CharAtX(int X) {
    const TRect r = GetEditRect();
    const int cw = std::max(1, CellWidth()), len = static_cast<int>(FText.size());
    if (len * cw < r.Width()) {
        if (FAlignment == taRightJustify) X -= r.Width() - len * cw;
        if (FAlignment == taCenter) X -= (r.Width() - len * cw) / 2;
    }
    if (len == 0) return FFirst - 1;
    const int i = (X - r.Left) / cw + FFirst - 1;
    return std::clamp(i, 0, len);
}

void TskSkinPasswordEdit::ScrollToCaret() {
    const int len = static_cast<int>(FText.size());
    const int width = GetEditRect().Width(), cw = CellWidth();
    if (FFirst < FCaret + 1) {
        while ((FCaret - FFirst + 1) * cw > width && FFirst < len)
            ++FFirst;
    } else {
        FFirst = std::max(1, FCaret);
    }
    Invalidate();
}

void TskSkinPasswordEdit::SetCaretPosition(int P) {
    FCaret = std::clamp(P, 0, static_cast<int>(FText.size()));
    ScrollToCaret();
    if (FSelLength == 0) FSelStart = FCaret;
    if (HasFocus()) SetCaretPos(CharX(FCaret), GetEditRect().Top);
}

void TskSkinPasswordEdit::SelectAll() {
    const int len = static_cast<int>(FText.size());
    SetCaretPosition(len);
    SetSelStart(0);
    SetSelLength(len);
    Invalidate();
}

int TskSkinPasswordEdit::NextWordPos(int P) const {
    const int len = static_cast<int>(FText.size());
    bool space = false, other = false;
    while (P + 2 <= len) {
        const char32_t c = FText[static_cast<std::size_t>(P)];
        if (c != U' ' && space && other) break;
        if (c == U' ')
            space = true;
        else {
            other = true;
            space = false;
        }
        ++P;
    }
    if (!space) ++P;
    return std::min(P, len);
}

int TskSkinPasswordEdit::PrevWordPos(int P) const {
    bool other = false;
    while (P > 0) {
        const char32_t c = FText[static_cast<std::size_t>(P - 1)];
        if (c == U' ' && other) break;
        if (c != U' ') other = true;
        --P;
    }
    return P;
}

void TskSkinPasswordEdit::SelectWord() {
    SetSelStart(PrevWordPos(FCaret));
    SetSelLength(NextWordPos(SelStart()) - SelStart());
    SetCaretPosition(SelStart() + SelLength());
}

void TskSkinPasswordEdit::InsertText(const std::u32string& S) {
    if (ReadOnly) return;
    std::u32string t = FText;
    const int start = SelStart();
    t.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(SelLength()));
    t.insert(static_cast<std::size_t>(start), S);
    if (MaxLength > 0 && static_cast<int>(t.size()) > MaxLength) {
        SetSelLength(0);
        return;
    }
    SetTextU(t);
    SetCaretPosition(start + static_cast<int>(S.size()));
    SetSelLength(0);
}

void TskSkinPasswordEdit::ClearSelection() {
    if (ReadOnly) return;
    const int start = SelStart();
    std::u32string t = FText;
    t.erase(static_cast<std::size_t>(start), static_cast<std::size_t>(SelLength()));
    SetTextU(t);
    SetCaretPosition(start);
    SetSelLength(0);
}

// Typing never enters a control character, so neither does a paste: it stops at the first line
// break and drops the control characters before it.
void TskSkinPasswordEdit::PasteFromClipboard() {
    if (ReadOnly) return;
    std::u32string s;
    for (char32_t c : Decode(ClipboardGetText())) {
        if (c == U'\r' || c == U'\n') break;
        if (c >= 32) s.push_back(c);
    }
    InsertText(s);
}

void TskSkinPasswordEdit::ReCreateCaret() {
    GetSkinData();
    int h = Height() - 4;
    if (FSkinIndex != -1) {
        h = GetEditRect().Height();
        if (FUseSkinFont) h = FFace.CurClientRect.Height();
    }
    CreateCaret(Handle(), 0, h);
    SetCaretPosition(FCaret);
    ShowCaret(Handle());
}

void TskSkinPasswordEdit::GetSkinData() {
    TskSkinCustomControl::GetSkinData();
    auto* r = FSkinIndex != -1 ? dynamic_cast<TskDataSkinEditControl*>(SkinRecord()) : nullptr;
    if (!r) return;
    LeftOffset = r->lefttoppoint.X;
    RightOffset = r->skinrect.Width() - r->righttoppoint.X;
    activeskinrect = IsEmptySkinRect(r->activeskinrect) ? r->skinrect : r->activeskinrect;
    fontcolor = SkinColorToColor(r->fontcolor);
    activefontcolor = SkinColorToColor(r->activefontcolor);
    disabledfontcolor = SkinColorToColor(r->disabledfontcolor);
}

void TskSkinPasswordEdit::CalcSize(int& W, int& H) {
    const int asked = H;
    TskSkinCustomControl::CalcSize(W, H);
    if (!FUseSkinFont) H = asked;
}

void TskSkinPasswordEdit::DrawPasswordChar(TCanvas& c, TRect Cell, bool Selected) {
    TColor color;
    if (!Enabled())
        color = FSkinIndex == -1 ? clGrayText : disabledfontcolor;
    else if (Selected)
        color = clHighlightText;
    else if (FSkinIndex == -1)
        color = FDefaultFont.Color();
    else
        color = (FMouseIn || HasFocus()) ? activefontcolor : fontcolor;
    const int dy = (Cell.Width() - Cell.Height()) / 2 - 2;
    TRect box{Cell.Left + 2, Cell.Top - dy, Cell.Right - 2, Cell.Bottom + dy};
    c.Pen().Color = color;
    c.Brush().Style = bsSolid;
    c.Brush().Color = color;
    switch (FKind) {
    case pkRoundRect:
        c.RoundRect(box.Left, box.Top, box.Right, box.Bottom, box.Width() / 2, box.Height() / 2);
        break;
    case pkRect:
        c.FillRect(box);
        break;
    case pkTriangle: {
        int w = box.Width();
        if (w % 2 == 0) ++w;
        TRect sq{0, 0, w, w};
        CenterRectIn(sq, Cell, sq);
        const TPoint pts[3] = {{sq.Left + w / 2 + 1, sq.Top}, {sq.Right, sq.Bottom}, {sq.Left, sq.Bottom}};
        c.Polygon(pts, 3);
        break;
    }
    }
}

TRect TskSkinPasswordEdit::GetSelectionRect() {
    const TRect e = GetEditRect();
    TRect r{CharX(SelStart()), e.Top, CharX(SelStart() + SelLength()), e.Bottom};
    r.Left = std::max(r.Left, e.Left);
    r.Right = std::min(r.Right, e.Right);
    return r;
}

void TskSkinPasswordEdit::PaintText(TCanvas& c) {
    const TRect e = GetEditRect();
    const int cw = CellWidth(), len = static_cast<int>(FText.size());
    const bool showSel = HasFocus() || !FHideSelection;
    if (showSel && SelLength() > 0) FillColor(c, GetSelectionRect(), clHighlight);
    const int x0 = CharX(0);
    for (int i = 0; i <= len - FFirst; ++i) {
        const TRect cell{x0 + i * cw, e.Top, x0 + (i + 1) * cw, e.Bottom};
        if (cell.Right > e.Right) break;
        DrawPasswordChar(c, cell, false);
    }
    if (!showSel || SelLength() == 0) return;
    const TRect s = GetSelectionRect();
    const int visible = SelStart() + 1 >= FFirst ? SelLength() : SelLength() - (FFirst - 1 - SelStart());
    for (int i = 0; i < visible; ++i) {
        const TRect cell{s.Left + i * cw, e.Top, s.Left + (i + 1) * cw, e.Bottom};
        if (cell.Right > s.Right) break;
        DrawPasswordChar(c, cell, true);
    }
}

void TskSkinPasswordEdit::CreateControlDefaultImage(TBitmap& Bitmap) {
    TCanvas& c = Bitmap.Canvas();
    FillColor(c, {0, 0, Width(), Height()}, FDefaultColor);
    FrameColor(c, {0, 0, Width(), Height()}, clBtnShadow);
    FrameColor(c, {1, 1, Width() - 1, Height() - 1}, clBtnFace);
    PaintText(c);
}

void TskSkinPasswordEdit::CreateControlSkinImage(TBitmap& Bitmap) {
    TCanvas& c = Bitmap.Canvas();
    const TRect src = (FMouseIn || HasFocus()) ? activeskinrect : FFace.skinrect;
    TskBitmap face;
    ComposeHorzSkinPicture(LeftOffset, RightOffset, face, FFace.stretcheffect, Width(), src,
                           *FFace.SkinBitmap);
    if (FUseSkinFont)
        DrawSkin(c, 0, 0, face);
    else if (!face.Empty())
        StretchSkinPiece(c, {0, 0, Width(), Height()}, face, {0, 0, face.Width(), face.Height()});
    PaintText(c);
}

void TskSkinPasswordEdit::KeyDown(Word& Key, TShiftState Shift) {
    TskSkinCustomControl::KeyDown(Key, Shift);
    const int old = FCaret, len = static_cast<int>(FText.size());
    const bool shift = (Shift & ssShift) != 0, ctrl = (Shift & ssCtrl) != 0;
    bool moved = false;
    switch (Key) {
    case VK_BACK:
    case VK_DELETE:
        if (ReadOnly) break;
        if (SelLength() > 0) {
            ClearSelection();
        } else if (!FText.empty()) {
            std::u32string t = FText;
            if (Key == VK_DELETE && FCaret < len) {
                t.erase(static_cast<std::size_t>(FCaret), 1);
            } else if (Key == VK_BACK && FCaret > 0) {
                t.erase(static_cast<std::size_t>(FCaret - 1), 1);
                SetCaretPosition(FCaret - 1);
            }
            SetTextU(t);
        }
        break;
    case VK_END:
        SetCaretPosition(len);
        moved = true;
        break;
    case VK_HOME:
        SetCaretPosition(0);
        moved = true;
        break;
    case VK_LEFT:
        SetCaretPosition(ctrl ? PrevWordPos(old) : old - 1);
        moved = true;
        break;
    case VK_RIGHT:
        SetCaretPosition(ctrl ? NextWordPos(old) : old + 1);
        moved = true;
        break;
    case VK_INSERT:
        if (Shift == ssShift) PasteFromClipboard();
        break;
    case 'V':
        if (Shift == ssCtrl) PasteFromClipboard();
        break;
    default:
        break;
    }
    if (moved) {
        if (shift) {
            FSelStart = FCaret;
            FSelLength = FSelLength - (FCaret - old);
        } else {
            FSelLength = 0;
        }
        Invalidate();
    }
    SetCaretPosition(FCaret);
}

void TskSkinPasswordEdit::KeyPress(TKeyChar& Key) {
    TskSkinCustomControl::KeyPress(Key);
    if (Key >= 32 && !ReadOnly) InsertText(std::u32string(1, Key));
}

void TskSkinPasswordEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft) FMouseSelecting = true;
    if (CanFocus() && !HasFocus()) SetFocus();
    if (Button == mbLeft) {
        SetCaretPosition(CharAtX(X));
        SetSelLength(0);
    }
}

void TskSkinPasswordEdit::MouseMove(TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    if (!FMouseSelecting) return;
    int p = CharAtX(X);
    if (X > GetEditRect().Right) ++p;
    const int old = FCaret;
    SetCaretPosition(p);
    FSelStart = FCaret;
    FSelLength = FSelLength - (FCaret - old);
    Invalidate();
}

void TskSkinPasswordEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
    FMouseSelecting = false;
}

void TskSkinPasswordEdit::DblClick() {
    TskSkinCustomControl::DblClick();
    FMouseSelecting = false;
    SelectWord();
}

void TskSkinPasswordEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_SETFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        ReCreateCaret();
        SetCaretPosition(0);
        if (AutoSelect) SelectAll();
        return;
    case WM_KILLFOCUS:
        TskSkinCustomControl::Dispatch(Message);
        DestroyCaret();
        Invalidate();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TskSkinCustomControl::Dispatch(Message);
        FMouseIn = Message.Msg == CM_MOUSEENTER;
        if (!HasFocus()) Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        if (HandleAllocated()) Invalidate();
        return;
    case CM_FONTCHANGED:
        TskSkinCustomControl::Dispatch(Message);
        if (HasFocus()) ReCreateCaret();
        return;
    default:
        TskSkinCustomControl::Dispatch(Message);
    }
}

namespace {

const TPropertyTable<TskSkinPasswordEdit>& PasswordEditProperties() {
    using namespace props;
    using C = TskSkinPasswordEdit;
    static const TPropertyTable<C> table{
        {"Text", Call(&C::SetText, AsText)},
        {"MaxLength", Store(&C::MaxLength, AsInt)},
        {"ReadOnly", Store(&C::ReadOnly, AsBool)},
        {"PasswordKind",
         [](C& c, const TPropValue& v) {
             const String& s = v.AsIdent();
             c.SetPasswordKind(s == "pkRect" ? pkRect : s == "pkTriangle" ? pkTriangle : pkRoundRect);
         }},
    };
    return table;
}

} // namespace

bool TskSkinPasswordEdit::SetProperty(const String& name, const TPropValue& v) {
    return PasswordEditProperties().Set(*this, name, v) || TskSkinCustomControl::SetProperty(name, v);
}

} // namespace vd
