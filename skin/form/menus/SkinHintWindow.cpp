#include "skin/form/menus/SkinHintWindow.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/FontFaces.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Graphics.h"
#include "platform/vcl/Screen.h"
#include "platform/vcl/Timer.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGdi.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinMaskRegion.h"
#include "skin/core/SkinPlatform.h"
#include "skin/store/SkinWindowRecords.h"

#include <algorithm>

namespace vd {

namespace {
// The hint that receives the application's show-hint event; cleared when it goes away.
TskSkinHint* gShowHintOwner = nullptr;

void InstallShowHint(TskSkinHint* hint) {
    gShowHintOwner = hint;
    // The hint is shown as the class library prepared it; only the component's own event hears it.
    Application->OnShowHint = [](String& text, bool& canShow, TControl* control) {
        if (gShowHintOwner && gShowHintOwner->OnShowHint) gShowHintOwner->OnShowHint(text, canShow, control);
    };
}

const TskBitmap* HintPicture(const TskSkinData* skin) {
    if (!skin || skin->Empty() || skin->HintWindow().windowpictureindex == -1) return nullptr;
    const TskBitmap* p = skin->ActivePicture(skin->HintWindow().windowpictureindex);
    return p && !p->Empty() ? p : nullptr;
}

TskSkinCorners RecordCorners(const TskDataSkinHintWindow& r) {
    return {r.lefttoppoint, r.righttoppoint, r.leftbottompoint, r.rightbottompoint, r.clientrect};
}
} // namespace

// Window ---------------------------------------------------------------------------------------

TskSkinHintWindow::TskSkinHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

TskSkinHintWindow::~TskSkinHintWindow() {
    SetHintComponent(nullptr);
}

void TskSkinHintWindow::CreateParams(TCreateParams& Params) {
    THintWindow::CreateParams(Params);
    Params.Style &= ~static_cast<DWord>(WS_BORDER);
    if (IsWindowsXPVersion()) Params.ClassStyle |= CS_DROPSHADOW;
    Params.WinClassName = "TskSkinHintWindow";
}

void TskSkinHintWindow::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCPAINT:
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    default:
        THintWindow::Dispatch(Message);
    }
}

void TskSkinHintWindow::SetHintComponent(TskSkinHint* Value) {
    FHintComponent = Value;
}

void TskSkinHintWindow::Notification(TComponent* AComponent, TOperation Operation) {
    THintWindow::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // The skin was the hint component's: it is not followed on its own.
    if (AComponent == FHintComponent || AComponent == FSkin) FSkin = nullptr;
}

void TskSkinHintWindow::SelectHintFont(TCanvas& C) const {
    if (FSkin && FHintComponent->UseSkinFont) {
        const TskDataSkinHintWindow& r = FSkin->HintWindow();
        SetSkinFont(C.Font(), r.fontname, r.fontheight, r.fontstyle, TColor(r.fontcolor));
    } else {
        C.Font().Assign(FHintComponent->DefaultFont());
        C.Font().SetColor(clInfoText);
    }
    C.Font().SetCharset(SkinCharSet(FSkin, FHintComponent->DefaultFont()));
}

void TskSkinHintWindow::ActivateHint(TRect Rect, const String& AHint) {
    // Only the active form's hint component shows hints; an inactive application shows none.
    TskSkinHint* component = nullptr;
    if (TCustomForm* form = Screen ? Screen->ActiveForm() : nullptr)
        for (int i = 0; i < form->ComponentCount() && !component; ++i)
            if (auto* h = dynamic_cast<TskSkinHint*>(form->Components(i)); h && h->Active()) component = h;
    SetHintComponent(component);
    if (!component) return;
    FSkin = HintPicture(component->SkinData()) ? component->SkinData() : nullptr;
    SetCaption(AHint);

    TBitmap scratch(1, 1);
    SelectHintFont(scratch.Canvas());
    TRect text{0, 0, 0, 0};
    scratch.Canvas().DrawText(AHint, text, DT_CALCRECT);
    int w = text.Width(), h = text.Height();
    if (FSkin) {
        const TskDataSkinHintWindow& r = FSkin->HintWindow();
        const TskBitmap& pic = *HintPicture(FSkin);
        const TRect& c = r.clientrect;
        const int pw = pic.Width(), ph = pic.Height();
        w = std::max(w + c.Left + (pw - c.Right), pw);
        h = std::max(h + c.Top + (ph - c.Bottom), ph);
        const int dw = w - pw, dh = h - ph;
        FFittedClientRect = {c.Left, c.Top, c.Right + dw, c.Bottom + dh};
        FFitted = {r.lefttoppoint,
                   {r.righttoppoint.X + dw, r.righttoppoint.Y},
                   {r.leftbottompoint.X, r.leftbottompoint.Y + dh},
                   {r.rightbottompoint.X + dw, r.rightbottompoint.Y + dh},
                   FFittedClientRect};
    } else {
        w += 4;
        h += 4;
        FFittedClientRect = {2, 2, w - 2, h - 2};
    }
    TRect R{Rect.Left, Rect.Top, Rect.Left + w, Rect.Top + h};
    const int sw = Screen ? Screen->Width() : 1024, sh = Screen ? Screen->Height() : 768;
    if (R.Right > sw) R = {R.Left - w - 2, R.Top, R.Right - w - 2, R.Bottom};
    if (R.Bottom > sh) R = {R.Left, R.Top - h - 2, R.Right, R.Bottom - h - 2};
    SetBounds(R.Left, R.Top, w, h);
    HWND hw = Handle();

    if (IsLayeredWindowOS()) {
        const bool alpha = component->AlphaBlend;
        if (alpha != FLastAlphaBlend) {
            const long ex = GetWindowLong(hw, GWL_EXSTYLE);
            SetWindowLong(hw, GWL_EXSTYLE,
                          alpha ? (ex | WS_EX_LAYERED) : (ex & ~static_cast<long>(WS_EX_LAYERED)));
            FLastAlphaBlend = alpha;
            FLastAlphaValue = 255;
        }
        if (alpha && component->AlphaBlendValue != FLastAlphaValue) {
            SetWindowAlpha(hw, component->AlphaBlendValue);
            FLastAlphaValue = component->AlphaBlendValue;
        }
    }

    const TskBitmap* mask = FSkin ? FSkin->ActivePicture(FSkin->HintWindow().maskpictureindex) : nullptr;
    std::optional<TskRegion> region;
    if (mask) region = BuildSkinRegion(RecordCorners(FSkin->HintWindow()), FFitted, w, *mask);
    if (region) {
        if (UniqueRegion rgn = CreateSkinRegionHandle(*region)) {
            SetWindowRgn(hw, rgn.Release(), FALSE); // the window owns it now
            FHasRegion = true;
        }
    } else if (FHasRegion) {
        SetWindowRgn(hw, nullptr, FALSE);
        FHasRegion = false;
    }
    SetWindowPos(hw, HWND_TOPMOST, R.Left, R.Top, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    FVisible = true;
    Invalidate();
}

void TskSkinHintWindow::Paint() {
    const int w = Width(), h = Height();
    if (w <= 0 || h <= 0 || !FHintComponent) return;
    TBitmap buffer(w, h);
    TCanvas& c = buffer.Canvas();
    const String text = Caption();
    if (FSkin) {
        const TskDataSkinHintWindow& r = FSkin->HintWindow();
        const TskBitmap& pic = *HintPicture(FSkin);
        TskBitmap face;
        ComposeWindowSkinPicture(RecordCorners(r), FFitted, face, pic, {0, 0, pic.Width(), pic.Height()}, w,
                                 h, true, {r.leftstretch, r.topstretch, r.rightstretch, r.bottomstretch});
        if (!face.Empty()) DrawSkin(c, 0, 0, face);
        SelectHintFont(c);
        c.Font().SetColor(TColor(r.fontcolor));
        c.Brush().Style = bsClear;
        TRect m{0, 0, 0, 0};
        c.DrawText(text, m, DT_CALCRECT);
        const TRect& f = FFittedClientRect;
        const int x = f.Left + f.Width() / 2 - m.Width() / 2, y = f.Top + f.Height() / 2 - m.Height() / 2;
        TRect t{x, y, x + m.Width(), y + m.Height()};
        c.DrawText(text, t, 0);
    } else {
        FillColor(c, {0, 0, w, h}, clInfoBk);
        FrameColor(c, {0, 0, w, h}, clBtnShadow);
        SelectHintFont(c);
        c.Brush().Style = bsClear;
        TRect t{2, 2, w - 2, h - 2};
        c.DrawText(text, t, 0);
    }
    Canvas().Draw(0, 0, &buffer);
}

// Component ------------------------------------------------------------------------------------

TskSkinHint::TskSkinHint(TComponent* AOwner) : TComponent(AOwner) {
    SetDefaultFace(FDefaultFont);
    FHintWindow = new TskSkinHintWindow(this);
    Application->HintWindowClass = [](TComponent* owner) -> THintWindow* {
        return new TskSkinHintWindow(owner);
    };
    // Toggling makes the application create its hint window again, in the new class.
    Application->SetShowHint(!Application->ShowHint());
    Application->SetShowHint(!Application->ShowHint());
    InstallShowHint(this);
    Application->HintShortPause = 100;
}

TskSkinHint::~TskSkinHint() {
    DropTimer();
    if (gShowHintOwner == this) {
        gShowHintOwner = nullptr;
        Application->OnShowHint = nullptr;
    }
}

bool TskSkinHint::SetComponentProperty(const String& name, TComponent* value) {
    if (name == "SkinData") {
        auto* skin = dynamic_cast<TskSkinData*>(value);
        if (!skin) return false;
        SetSkinData(skin);
        return true;
    }
    return TComponent::SetComponentProperty(name, value);
}

void TskSkinHint::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FHintWindow) FHintWindow = nullptr;
    if (AComponent == FHintTimer) FHintTimer = nullptr;
}

void TskSkinHint::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
}

void TskSkinHint::SetActive(bool Value) {
    FActive = Value;
    if (Value) {
        if (TCustomForm* main = Application->MainForm())
            for (int i = 0; i < main->ComponentCount(); ++i)
                if (auto* other = dynamic_cast<TskSkinHint*>(main->Components(i));
                    other && other != this && other->Active())
                    other->SetActive(false);
        InstallShowHint(this);
    }
}

// The timer may be the one whose tick is running: it is stopped now and freed later.
void TskSkinHint::DropTimer() {
    if (!FHintTimer) return;
    FHintTimer->SetEnabled(false);
    FHintTimer->OnTimer = nullptr;
    FHintTimer->DeferFree();
    FHintTimer = nullptr;
}

void TskSkinHint::ActivateHint2(const String& Text) {
    DropTimer();
    FPendingText = Text;
    FHintShown = false;
    FHintTimer = new TTimer(this);
    FHintTimer->SetInterval(static_cast<unsigned>(std::max(1, Application->HintPause)));
    FHintTimer->OnTimer = [this](TObject*) { HintTimerTick(); };
    FHintTimer->SetEnabled(true);
}

void TskSkinHint::HintTimerTick() {
    if (FHintShown) {
        HideHint();
        return;
    }
    FHintTimer->SetEnabled(false);
    TPoint p;
    GetCursorPos(p);
    p.Y += GetSystemMetrics(SM_CYCURSOR);
    if (FHintWindow) FHintWindow->ActivateHint({p.X, p.Y, p.X, p.Y}, FPendingText);
    FHintShown = true;
    if (!FHintTimer) return;
    FHintTimer->SetInterval(static_cast<unsigned>(std::max(1, Application->HintHidePause)));
    FHintTimer->SetEnabled(true);
}

void TskSkinHint::HideHint() {
    DropTimer();
    FHintShown = false;
    if (FHintWindow && FHintWindow->HandleAllocated() && IsWindowVisible(FHintWindow->WindowHandle())) {
        FHintWindow->SetVisible(false);
        SetWindowPos(FHintWindow->WindowHandle(), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    }
}

} // namespace vd
