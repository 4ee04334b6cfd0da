// The system menu, the tray menu, keyboard shortcuts and the menu-mode bookkeeping.
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Application.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStrings.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/form/menus/SkinMenu.h"

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

String TskSkinForm::MenuCaption(const char* key, const char* builtIn) const {
    if (FSkinData && FSkinData->ResourceStrData()) return FSkinData->ResourceStrData()->LookupResString(key);
    return builtIn;
}

bool TskSkinForm::UseSkinFontInMenu() const {
    return FUseSkinFontInMenu;
}

void TskSkinForm::SetUseSkinFontInMenu(bool Value) {
    FUseSkinFontInMenu = Value;
    MenuSettingsChanged();
}

int TskSkinForm::DefMenuItemHeight() const {
    return FDefMenuItemHeight;
}

void TskSkinForm::SetDefMenuItemHeight(int Value) {
    if (Value > 0) FDefMenuItemHeight = Value;
    MenuSettingsChanged();
}

const TFont& TskSkinForm::DefMenuItemFont() const {
    static const TFont none;
    return FSkinMenu ? FSkinMenu->DefaultItemFont() : none;
}

void TskSkinForm::SetDefMenuItemFont(const TFont& Value) {
    if (FSkinMenu) FSkinMenu->SetDefaultItemFont(Value);
}

void TskSkinForm::BuildBuiltInSystemMenu() {
    TMenuItem* root = FDefaultSystemMenu->Items();
    root->Clear();
    const bool child = FForm->FormStyle() == fsMDIChild;
    const String closeKey = child ? "Ctrl+F4" : "Alt+F4";
    bool any = false;
    auto add = [&](TMenuItem* item) {
        root->Add(item);
        any = true;
    };
    if (FWindowState != skwsMinimized && (FBorderIcons & skbiMinimize))
        add(NewItem(this, "SKF_MINITEM", MenuCaption("MI_MINCAPTION", "Mi&nimize"), [this](TObject*) {
            if (AlwaysMinimizeToTray)
                MinimizeToTray();
            else
                SetWindowState(skwsMinimized);
        }));
    if (FWindowState != skwsMaximized && (FBorderIcons & skbiMaximize))
        add(NewItem(this, "SKF_MAXITEM", MenuCaption("MI_MAXCAPTION", "Ma&ximize"),
                    [this](TObject*) { SetWindowState(skwsMaximized); }));
    if (FWindowState != skwsNormal || FRolledUp)
        add(NewItem(this, "SKF_RESTORE", MenuCaption("MI_RESTORECAPTION", "&Restore"), [this](TObject*) {
            if ((FWindowState == skwsMaximized && FRolledUpWhenMaximized) ||
                (FWindowState == skwsNormal && FRolledUp))
                RollUp(false);
            else
                SetWindowState(skwsNormal);
        }));
    if (!(child && FWindowState == skwsMaximized) && !FRolledUp && FWindowState != skwsMinimized &&
        (FBorderIcons & skbiRollUp))
        add(NewItem(this, "SKF_ROLLUP", MenuCaption("MI_ROLLUPCAPTION", "Ro&llUp"),
                    [this](TObject*) { RollUp(true); }));
    if (FBorderIcons & skbiMinimizeToTray)
        add(NewItem(this, "SKF_MINTOTRAY", MenuCaption("MI_MINTOTRAYCAPTION", "Minimize to &Tray"),
                    [this](TObject*) { MinimizeToTray(); }));
    if (any) {
        auto* line = new TMenuItem(this);
        line->SetCaption("-");
        root->Add(line);
    }
    TMenuItem* close = NewItem(this, "SKF_CLOSE", MenuCaption("MI_CLOSECAPTION", "&Close"),
                               [this](TObject*) { FForm->Close(); });
    close->ShortCut = TextToShortCut(closeKey);
    root->Add(close);
}

void TskSkinForm::PrepareUserSystemMenu() {
    TMenuItem* root = FSystemMenu->Items();
    if (!UseDefaultSysMenu) return;
    for (int i = root->Count() - 1; i >= 0; --i)
        for (const char* n : kSysItemNames)
            if (SameText(root->Items(i)->Name(), n)) {
                root->Delete(i);
                break;
            }
    BuildBuiltInSystemMenu();
    // Minimize, Restore, Maximize, RollUp, Minimize to Tray first, the user's items, Close last.
    TMenuItem* built = FDefaultSystemMenu->Items();
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

TMenuItem* TskSkinForm::GetSystemMenuItems() {
    if (FSystemMenu) {
        PrepareUserSystemMenu();
        return FSystemMenu->Items();
    }
    BuildBuiltInSystemMenu();
    return FDefaultSystemMenu->Items();
}

} // namespace vd
