#include "platform/vcl/ComCtrls/TabControl.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/PropValue.h"
#include "platform/vcl/PropertyTable.h"

#include <algorithm>

namespace vd {
namespace {

constexpr int kPadding = 6;  // each side of a caption
constexpr int kImageGap = 3; // between an image and the caption

} // namespace

TCustomTabControl::TCustomTabControl(TComponent* AOwner)
    : TWinControl(AOwner), FTabs(std::make_unique<TStringList>()) {
    FWidth = 289;
    FHeight = 193;
    FTabStop = true;
    FColor = clBtnFace;
    FControlStyle |= csAcceptsControls;
    FTabs->OnChange = [this](TObject*) { TabsChanged(); };
}

TCustomTabControl::~TCustomTabControl() {
    FTabs->OnChange = nullptr;
    Destroying();
}

void TCustomTabControl::TabsChanged() {
    if (FTabIndex >= FTabs->Count()) FTabIndex = FTabs->Count() - 1;
    if (FTabIndex < 0 && FTabs->Count() > 0) FTabIndex = 0;
    FFirstVisible = std::clamp(FFirstVisible, 0, std::max(0, FTabs->Count() - 1));
    Realign();
    Invalidate();
}

void TCustomTabControl::SetTabIndex(int v) {
    if (v < -1 || v >= FTabs->Count() || v == FTabIndex) return;
    FTabIndex = v;
    ScrollIntoView(v);
    Invalidate();
}

void TCustomTabControl::SetTabPosition(TTabPosition v) {
    FTabPosition = v;
    TabsChanged();
}

void TCustomTabControl::SetTabHeight(int v) {
    FTabHeight = std::max(0, v);
    TabsChanged();
}

void TCustomTabControl::SetTabWidth(int v) {
    FTabWidth = std::max(0, v);
    TabsChanged();
}

void TCustomTabControl::SetImages(TCustomImageList* v) {
    FImages = v;
    TabsChanged();
}

void TCustomTabControl::SetFirstVisible(int v) {
    v = std::clamp(v, 0, std::max(0, FTabs->Count() - 1));
    if (v == FFirstVisible) return;
    FFirstVisible = v;
    Invalidate();
}

int TCustomTabControl::GetImageIndex(int TabIndex) {
    int index = TabIndex;
    if (OnGetImageIndex) OnGetImageIndex(this, TabIndex, index);
    return index;
}

int TCustomTabControl::RowThickness() {
    if (FTabHeight > 0) return FTabHeight;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont.Handle()));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    DeleteDC(dc);
    int h = tm.tmHeight + kPadding;
    if (FImages) h = std::max(h, FImages->Height() + kPadding);
    return h;
}

TSize TCustomTabControl::TabSize(int index) {
    const int thick = RowThickness();
    if (FTabWidth > 0) return {FTabWidth, thick};
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont.Handle()));
    int w = TextExtent(dc, FTabs->Strings(index)).cx + 2 * kPadding;
    DeleteDC(dc);
    if (FImages && GetImageIndex(index) >= 0) w += FImages->Width() + kImageGap;
    return {w, thick};
}

TRect TCustomTabControl::TabRect(int index) {
    if (index < 0 || index >= FTabs->Count()) return {};
    int start = 0;
    for (int i = FFirstVisible; i < index; ++i)
        start += TabSize(i).cx;
    for (int i = index; i < FFirstVisible; ++i)
        start -= TabSize(i).cx;
    const TSize size = TabSize(index);
    const TRect c = ClientRect();
    switch (FTabPosition) {
    case tpTop:
        return {start, 0, start + size.cx, size.cy};
    case tpBottom:
        return {start, c.Bottom - size.cy, start + size.cx, c.Bottom};
    case tpLeft:
        return {0, start, size.cy, start + size.cx};
    case tpRight:
        return {c.Right - size.cy, start, c.Right, start + size.cx};
    }
    return {};
}

TRect TCustomTabControl::DisplayRect() {
    TRect r = ClientRect();
    if (FTabs->Count() == 0) return r;
    const int t = RowThickness();
    switch (FTabPosition) {
    case tpTop:
        r.Top += t;
        break;
    case tpBottom:
        r.Bottom -= t;
        break;
    case tpLeft:
        r.Left += t;
        break;
    case tpRight:
        r.Right -= t;
        break;
    }
    return r;
}

void TCustomTabControl::AdjustClientRect(TRect& Rect) {
    Rect = DisplayRect();
}

int TCustomTabControl::IndexOfTabAt(int X, int Y) {
    for (int i = 0; i < FTabs->Count(); ++i) {
        const TRect r = TabRect(i);
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom) return i;
    }
    return -1;
}

void TCustomTabControl::ScrollIntoView(int index) {
    if (index < 0) return;
    if (index < FFirstVisible) {
        SetFirstVisible(index);
        return;
    }
    const TRect c = ClientRect();
    const int limit = Vertical() ? c.Bottom : c.Right;
    while (FFirstVisible < index && (Vertical() ? TabRect(index).Bottom : TabRect(index).Right) > limit)
        SetFirstVisible(FFirstVisible + 1);
}

bool TCustomTabControl::FocusInside() const {
    const TWinControl* f = FindControl(GetFocus());
    return f && ContainsControl(f);
}

bool TCustomTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change() {
    if (OnChange) OnChange(this);
}

bool TCustomTabControl::SelectTab(int index) {
    if (index < 0 || index >= FTabs->Count() || index == FTabIndex) return false;
    if (!CanChange()) return false;
    FTabIndex = index;
    ScrollIntoView(index);
    Invalidate();
    Change();
    return true;
}

void TCustomTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (CanFocus() && !Focused()) SetFocus();
        SelectTab(IndexOfTabAt(X, Y));
    }
    TWinControl::MouseDown(Button, Shift, X, Y);
}

void TCustomTabControl::KeyDown(Word& Key, TShiftState Shift) {
    TWinControl::KeyDown(Key, Shift);
    if (Key == VK_LEFT || (Key == VK_UP && Vertical())) {
        if (FTabIndex > 0) SelectTab(FTabIndex - 1);
        Key = 0;
    } else if (Key == VK_RIGHT || (Key == VK_DOWN && Vertical())) {
        if (FTabIndex + 1 < FTabs->Count()) SelectTab(FTabIndex + 1);
        Key = 0;
    }
}

void TCustomTabControl::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case CM_DIALOGKEY:
        // Ctrl+Tab cycles the tabs while the focus is inside the control.
        if (Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && FTabs->Count() > 0 && FocusInside()) {
            const int n = FTabs->Count();
            const int step = GetKeyState(VK_SHIFT) < 0 ? n - 1 : 1;
            SelectTab((std::max(FTabIndex, 0) + step) % n);
            Message.Result = 1;
            return;
        }
        TWinControl::Dispatch(Message);
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (ScrollCode(Message.WParam) == SB_THUMBPOSITION) SetFirstVisible(ScrollPos(Message.WParam));
        return;
    case TCM_GETITEMCOUNT:
        Message.Result = FTabs->Count();
        return;
    case TCM_GETCURSEL:
        Message.Result = FTabIndex;
        return;
    case TCM_SETCURSEL: {
        const int old = FTabIndex;
        SetTabIndex(static_cast<int>(static_cast<std::int32_t>(Message.WParam)));
        Message.Result = old;
        return;
    }
    case TCM_GETITEMRECT:
        if (Message.LParam)
            *reinterpret_cast<TRect*>(Message.LParam) = TabRect(static_cast<int>(Message.WParam));
        Message.Result = TRUE;
        return;
    case TCM_HITTEST: {
        const TPoint p = Message.LParam ? *reinterpret_cast<const TPoint*>(Message.LParam) : TPoint{};
        Message.Result = IndexOfTabAt(p.X, p.Y);
        return;
    }
    case TCM_SETITEMSIZE:
        SetTabWidth(LoWord(static_cast<std::uintptr_t>(Message.LParam)));
        SetTabHeight(HiWord(static_cast<std::uintptr_t>(Message.LParam)));
        return;
    case TCM_ADJUSTRECT:
        if (Message.LParam && !Message.WParam) *reinterpret_cast<TRect*>(Message.LParam) = DisplayRect();
        return;
    default:
        TWinControl::Dispatch(Message);
    }
}

// A plain look for hosts that draw nothing themselves.
void TCustomTabControl::PaintWindow(std::uintptr_t DC) {
    HDC dc = reinterpret_cast<HDC>(DC);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(FFont.Handle()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(FFont.Color())));
    for (int i = 0; i < FTabs->Count(); ++i) {
        TRect r = TabRect(i);
        UniqueBrush b(CreateSolidBrush(GetSysColor(i == FTabIndex ? COLOR_WINDOW : COLOR_BTNFACE)));
        FillRect(dc, &r, b.Get());
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        const String text = FTabs->Strings(i);
        DrawTextUtf8(dc, text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

bool TCustomTabControl::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "Images") {
        auto* list = dynamic_cast<TCustomImageList*>(value);
        if (!list) return false;
        SetImages(list);
        return true;
    }
    return TWinControl::SetComponentProperty(name, value);
}

namespace {

const TPropertyTable<TCustomTabControl>& TabControlProperties() {
    using namespace props;
    using C = TCustomTabControl;
    static const TPropertyTable<C> table{
        {"TabHeight", Call(&C::SetTabHeight, AsInt)},
        {"TabWidth", Call(&C::SetTabWidth, AsInt)},
        {"TabIndex", Call(&C::SetTabIndex, AsInt)},
        {"TabPosition",
         [](C& c, const TPropValue& v) {
             const String& s = v.AsIdent();
             c.SetTabPosition(s == "tpBottom"  ? tpBottom
                              : s == "tpLeft"  ? tpLeft
                              : s == "tpRight" ? tpRight
                                               : tpTop);
         }},
        {"MultiLine", Ignored},
        {"RaggedRight", Ignored},
        {"ScrollOpposite", Ignored},
        {"HotTrack", Ignored},
        {"OwnerDraw", Ignored},
        {"Style", Ignored},
    };
    return table;
}

} // namespace

bool TCustomTabControl::SetProperty(const String& name, const TPropValue& v) {
    return TabControlProperties().Set(*this, name, v) || TWinControl::SetProperty(name, v);
}

} // namespace vd
