// Making the caption objects from the skin (or the default buttons), their border icons and
// hints, and where each goes in the caption.
#include "platform/gfx/Handle.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinGeometry.h"
#include "skin/core/SkinStrings.h"
#include "skin/form/frame/FrameObjects.h"
#include "skin/form/frame/SkinCaptionObject.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinFormHelpers.h"
#include "skin/store/SkinObjectRecords.h"

namespace vd {

using namespace frameparts;

void TskFrameObjects::CreateFromSkin() {
    FObjects.clear();
    if (!FFrame.SkinData()) return;
    for (const auto& r : FFrame.SkinData()->ObjectRecords()) {
        const TskDataSkinObject* rec = r.get();
        if (dynamic_cast<const TskDataSkinMainMenuItem*>(rec) ||
            dynamic_cast<const TskDataSkinMenuItem*>(rec) ||
            dynamic_cast<const TskDataSkinMainMenuBarButton*>(rec))
            continue;
        if (auto* s = dynamic_cast<const TskDataSkinStdButton*>(rec))
            FObjects.push_back(std::make_unique<TskSkinStdButtonObject>(&FFrame, s));
        else if (auto* b = dynamic_cast<const TskDataSkinButton*>(rec))
            FObjects.push_back(std::make_unique<TskSkinButtonObject>(&FFrame, b));
        else if (auto* c = dynamic_cast<const TskDataSkinCaption*>(rec))
            FObjects.push_back(std::make_unique<TskSkinCaptionObject>(&FFrame, c));
        else if (auto* a = dynamic_cast<const TskDataSkinAnimate*>(rec))
            FObjects.push_back(std::make_unique<TskSkinAnimateObject>(&FFrame, a));
        else if (dynamic_cast<const TskDataUserObject*>(rec))
            FObjects.push_back(std::make_unique<TskUserObject>(&FFrame, rec));
    }
}

void TskFrameObjects::CreateDefaultButtons() {
    FObjects.clear();
    FHotIndex = FPrevHotIndex = FPressedIndex = -1;
    const std::pair<const char*, TskStdCommand> buttons[] = {
        {"closebutton", cmClose},   {"maxbutton", cmMaximize},    {"minbutton", cmMinimize},
        {"rollupbutton", cmRollUp}, {"sysmenubutton", cmSysMenu}, {"traybutton", cmMinimizeToTray}};
    for (const auto& [name, cmd] : buttons)
        FObjects.push_back(std::make_unique<TskSkinStdButtonObject>(&FFrame, name, cmd));
    ApplyBorderIcons();
}

void TskFrameObjects::ApplyBorderIcons() {
    if (FObjects.empty()) return;
    for (auto& o : FObjects) {
        const int cmd = o->Command();
        if (cmd < 0) continue;
        const bool row = o->skinrectinapicture;
        if (FFrame.HideCaptionButtons) {
            o->Enabled = false;
            if (row) o->Visible = false;
            continue;
        }
        if (cmd == cmDefault) {
            bool enable = false;
            if (FFrame.OnActivateCustomObject) FFrame.OnActivateCustomObject(o->IDName, enable);
            o->Enabled = enable;
            continue;
        }
        TskBorderIcons need = 0;
        switch (cmd) {
        case cmRollUp:
            need = skbiRollUp;
            break;
        case cmMaximize:
            need = skbiMaximize;
            break;
        case cmMinimize:
            need = skbiMinimize;
            break;
        case cmSysMenu:
            need = skbiSystemMenu;
            break;
        case cmMinimizeToTray:
            need = skbiMinimizeToTray;
            break;
        default:
            break;
        }
        if (need && !(FFrame.BorderIcons() & need)) {
            o->Enabled = false;
            if (row) o->Visible = false;
        }
    }
    UpdateHints();
}

void TskFrameObjects::UpdateHints() {
    if (!FFrame.UseDefaultObjectHint || !FFrame.SkinData()) return;
    const TskResourceStrData* strings = FFrame.SkinData()->ResourceStrData();
    for (auto& o : FObjects) {
        const char* key = nullptr;
        const char* text = nullptr;
        switch (o->Command()) {
        case cmClose:
            key = "CLOSEBUTTON_HINT", text = "Close";
            break;
        case cmMaximize:
            key = "MAXBUTTON_HINT", text = "Maximize";
            break;
        case cmMinimize:
            key = "MINBUTTON_HINT", text = "Minimize";
            break;
        case cmSysMenu:
            key = "MENUBUTTON_HINT", text = "System menu";
            break;
        case cmRollUp:
            key = "ROLLUPBUTTON_HINT", text = "Roll Up";
            break;
        case cmMinimizeToTray:
            key = "TRAYBUTTON_HINT", text = "Minimize to Tray";
            break;
        default:
            break;
        }
        if (key) o->HintText = strings ? strings->LookupResString(key) : String(text);
    }
}

// The button row: close, maximize, minimize, roll-up, tray, then the custom ones; the
// system-menu button apart.
std::vector<TskActiveSkinObject*> TskFrameObjects::ButtonRow(TskActiveSkinObject*& SysMenu) const {
    std::vector<TskActiveSkinObject*> row;
    auto rowMember = [](TskActiveSkinObject* o) {
        return o->skinrectinapicture && o->Visible && o->Command() >= 0;
    };
    for (int cmd : {int(cmClose), int(cmMaximize), int(cmMinimize), int(cmRollUp), int(cmMinimizeToTray)})
        for (auto& o : FObjects)
            if (rowMember(o.get()) && o->Command() == cmd) {
                row.push_back(o.get());
                break;
            }
    for (auto& o : FObjects)
        if (rowMember(o.get()) && o->Command() == cmDefault) row.push_back(o.get());
    SysMenu = nullptr;
    for (auto& o : FObjects)
        if (rowMember(o.get()) && o->Command() == cmSysMenu) {
            SysMenu = o.get();
            break;
        }
    return row;
}

void TskFrameObjects::Layout() {
    if (!FFrame.SkinInUse()) {
        LayoutDefaultButtons();
        return;
    }
    FFrame.CalcFrameMetrics();
    const TskFrameMetrics& m = FFrame.Metrics();
    TskSkinCaptionObject* caption = nullptr;
    TskActiveSkinObject* sysMenu = nullptr;
    for (auto& o : FObjects) {
        if (!caption)
            if (auto* c = dynamic_cast<TskSkinCaptionObject*>(o.get())) caption = c;
        if (!o->skinrectinapicture) o->ObjectRect = FFrame.MapSkinRect(o->skinrect);
    }
    std::vector<TskActiveSkinObject*> row = ButtonRow(sysMenu);
    const bool useButtons = !IsEmptySkinRect(m.ButtonsRect);
    const TRect area = useButtons ? m.ButtonsRect : m.CaptionRect;
    if (IsEmptySkinRect(area)) return;
    auto sizeOf = [this](TskActiveSkinObject* o) {
        if (o->Command() == cmSysMenu && FFrame.ShowIcon())
            return TSize{FFrame.SmallIconWidth(), FFrame.SmallIconHeight()};
        return TSize{o->skinrect.Width(), o->skinrect.Height()};
    };
    if (!m.ButtonsInLeft) {
        int x = area.Right;
        TskActiveSkinObject* last = nullptr;
        for (TskActiveSkinObject* o : row) {
            const TSize sz = sizeOf(o);
            o->ObjectRect = {x - sz.cx, area.Top, x, area.Top + sz.cy};
            x -= sz.cx + m.ButtonsOffset;
            last = o;
        }
        if (!useButtons && caption && last) caption->ObjectRect.Right = last->ObjectRect.Left;
        if (sysMenu) {
            const TSize sz = sizeOf(sysMenu);
            const int top = m.CaptionRect.Top + m.CaptionRect.Height() / 2 - sz.cy / 2;
            sysMenu->ObjectRect = {m.CaptionRect.Left, top, m.CaptionRect.Left + sz.cx, top + sz.cy};
            if (caption) caption->ObjectRect.Left = sysMenu->ObjectRect.Right;
        }
    } else {
        if (!useButtons && sysMenu) row.push_back(sysMenu);
        int x = area.Left;
        TskActiveSkinObject* last = nullptr;
        for (TskActiveSkinObject* o : row) {
            const TSize sz = sizeOf(o);
            o->ObjectRect = {x, area.Top, x + sz.cx, area.Top + sz.cy};
            x += sz.cx + m.ButtonsOffset;
            last = o;
        }
        if (!useButtons && caption && last)
            caption->ObjectRect.Left = last->ObjectRect.Right + 2 * m.ButtonsOffset;
    }
}

void TskFrameObjects::LayoutDefaultButtons() {
    const int w = Form()->Width(), bs = FFrame.DefaultButtonSize();
    int x = w - 3;
    for (int cmd : {int(cmClose), int(cmMaximize), int(cmMinimize), int(cmRollUp), int(cmMinimizeToTray)})
        for (auto& o : FObjects)
            if (o->Visible && o->Command() == cmd) {
                o->ObjectRect = {x - bs, 4, x, 4 + bs};
                x -= bs;
                break;
            }
    for (auto& o : FObjects)
        if (o->Command() == cmSysMenu) {
            const int sw = FFrame.ShowIcon() ? FFrame.SmallIconWidth() : bs,
                      sh = FFrame.ShowIcon() ? FFrame.SmallIconHeight() : bs;
            o->ObjectRect = {3, 4, 3 + sw, 4 + sh};
            break;
        }
}

TRect TskFrameObjects::DefaultCaptionRect() const {
    TRect r{3, 3, Form()->Width() - 3, FFrame.CaptionHeight()};
    for (auto& o : FObjects) {
        if (!o->Visible) continue;
        if (o->Command() == cmSysMenu)
            r.Left = IntMax(r.Left, o->ObjectRect.Right);
        else if (o->Command() >= 0 && o->ObjectRect.Left > Form()->Width() / 2)
            r.Right = IntMin(r.Right, o->ObjectRect.Left);
    }
    return r;
}

bool TskFrameObjects::OverCaption(TPoint p) const {
    bool caption = false;
    for (auto& o : FObjects) {
        if (!o->Visible || !Inside(o->ObjectRect, p)) continue;
        // A button drawn over the caption strip takes the point: it must stay pressable.
        if (!dynamic_cast<TskSkinCaptionObject*>(o.get())) {
            if (o->Enabled) return false;
        } else {
            caption = true;
        }
    }
    return caption;
}

void TskFrameObjects::DrawOn(HDC dc, int Dy, bool Top) const {
    const int clientTop = FFrame.Metrics().ClientRect.Top;
    for (auto& o : FObjects) {
        if (!o->Visible) continue;
        const bool inTop = o->ObjectRect.Bottom <= clientTop;
        if (inTop != Top) continue;
        SaveGuard save(dc);
        SetViewportOrgEx(dc, 0, -Dy, nullptr);
        o->Draw(dc, false);
    }
}

} // namespace vd
