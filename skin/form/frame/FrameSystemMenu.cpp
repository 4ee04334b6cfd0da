#include "skin/form/frame/FrameSystemMenu.h"

#include "platform/rtl/SysUtils.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStrings.h"
#include "skin/form/frame/FrameStates.h"
#include "skin/form/frame/SkinForm.h"

namespace vd {

namespace {

const char* const kSysItemNames[] = {"SKF_MINITEM",   "SKF_MAXITEM", "SKF_CLOSE",
                                     "SKF_MINTOTRAY", "SKF_ROLLUP",  "SKF_RESTORE"};

TMenuItem* NewItem(TComponent* owner, const char* name, const String& caption, TNotifyEvent click) {
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = std::move(click);
    return item;
}

} // namespace

TskFrameSystemMenu::TskFrameSystemMenu(TskSkinForm& Frame)
    : FFrame(Frame), FDefaultMenu(new TPopupMenu(&Frame)), FUserMenu(&Frame) {}

String TskFrameSystemMenu::Caption(const char* key, const char* builtIn) const {
    const TskSkinData* skin = FFrame.SkinData();
    if (skin && skin->ResourceStrData()) return skin->ResourceStrData()->LookupResString(key);
    return builtIn;
}

void TskFrameSystemMenu::BuildBuiltIn() {
    TMenuItem* root = FDefaultMenu->Items();
    root->Clear();
    TskSkinForm& f = FFrame;
    const bool child = f.IsMDIChild();
    const int state = f.WindowState();
    const bool rolledUp = f.RolledUp();
    const TskBorderIcons icons = f.BorderIcons();
    bool any = false;
    auto add = [&](const char* name, const char* key, const char* text, TNotifyEvent click) {
        root->Add(NewItem(&f, name, Caption(key, text), std::move(click)));
        any = true;
    };
    if (state != skwsMinimized && (icons & skbiMinimize))
        add("SKF_MINITEM", "MI_MINCAPTION", "Mi&nimize", [&f](TObject*) {
            if (f.AlwaysMinimizeToTray)
                f.MinimizeToTray();
            else
                f.SetWindowState(skwsMinimized);
        });
    if (state != skwsMaximized && (icons & skbiMaximize))
        add("SKF_MAXITEM", "MI_MAXCAPTION", "Ma&ximize", [&f](TObject*) { f.SetWindowState(skwsMaximized); });
    if (state != skwsNormal || rolledUp)
        add("SKF_RESTORE", "MI_RESTORECAPTION", "&Restore", [&f](TObject*) { f.FStates->Restore(); });
    if (!(child && state == skwsMaximized) && !rolledUp && state != skwsMinimized && (icons & skbiRollUp))
        add("SKF_ROLLUP", "MI_ROLLUPCAPTION", "Ro&llUp", [&f](TObject*) { f.RollUp(true); });
    if (icons & skbiMinimizeToTray)
        add("SKF_MINTOTRAY", "MI_MINTOTRAYCAPTION", "Minimize to &Tray",
            [&f](TObject*) { f.MinimizeToTray(); });
    if (any) {
        auto* line = new TMenuItem(&f);
        line->SetCaption("-");
        root->Add(line);
    }
    TMenuItem* close = NewItem(&f, "SKF_CLOSE", Caption("MI_CLOSECAPTION", "&Close"),
                               [form = f.Form()](TObject*) { form->Close(); });
    close->ShortCut = TextToShortCut(child ? "Ctrl+F4" : "Alt+F4");
    root->Add(close);
}

void TskFrameSystemMenu::PrepareUserMenu() {
    TMenuItem* root = FUserMenu->Items();
    if (!FFrame.UseDefaultSysMenu) return;
    for (int i = root->Count() - 1; i >= 0; --i)
        for (const char* n : kSysItemNames)
            if (SameText(root->Items(i)->Name(), n)) {
                root->Delete(i);
                break;
            }
    BuildBuiltIn();
    // Minimize, Restore, Maximize, RollUp, Minimize to Tray first, the user's items, Close last.
    TMenuItem* built = FDefaultMenu->Items();
    int at = 0;
    for (const char* n : {"SKF_MINITEM", "SKF_RESTORE", "SKF_MAXITEM", "SKF_ROLLUP", "SKF_MINTOTRAY"})
        for (int i = 0; i < built->Count(); ++i)
            if (built->Items(i)->Name() == n) {
                TMenuItem* item = built->Items(i);
                built->Remove(item);
                root->Insert(at++, item);
                break;
            }
    for (int i = 0; i < built->Count(); ++i)
        if (built->Items(i)->Name() == "SKF_CLOSE") {
            TMenuItem* item = built->Items(i);
            built->Remove(item);
            root->Add(item);
            break;
        }
}

TMenuItem* TskFrameSystemMenu::Items() {
    if (FUserMenu) {
        PrepareUserMenu();
        return FUserMenu->Items();
    }
    BuildBuiltIn();
    return FDefaultMenu->Items();
}

} // namespace vd
