// What the frame publishes of its menus; the menu engine and its mode are in FrameMenuMode.cpp,
// the system menu in FrameSystemMenu.cpp.
#include "skin/controls/SkinMenuLink.h"
#include "skin/core/SkinData.h"
#include "skin/form/frame/FrameMenuMode.h"
#include "skin/form/frame/FrameSystemMenu.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinFormObjects.h"
#include "skin/form/menus/SkinMenu.h"

namespace vd {

bool TskSkinForm::UseSkinFontInMenu() const {
    return FMenuMode->UseSkinFont();
}

void TskSkinForm::SetUseSkinFontInMenu(bool Value) {
    FMenuMode->SetUseSkinFont(Value);
}

int TskSkinForm::DefMenuItemHeight() const {
    return FMenuMode->DefItemHeight();
}

void TskSkinForm::SetDefMenuItemHeight(int Value) {
    FMenuMode->SetDefItemHeight(Value);
}

int TskSkinForm::MaxMenuItemsInWindow() const {
    return FMenuMode->MaxItemsInWindow();
}

void TskSkinForm::SetMaxMenuItemsInWindow(int Value) {
    FMenuMode->SetMaxItemsInWindow(Value);
}

const TFont& TskSkinForm::DefMenuItemFont() const {
    static const TFont none;
    return SkinMenu() ? SkinMenu()->DefaultItemFont() : none;
}

void TskSkinForm::SetDefMenuItemFont(const TFont& Value) {
    if (SkinMenu()) SkinMenu()->SetDefaultItemFont(Value);
}

TskSkinData* TskSkinForm::MenusSkinData() const {
    return FMenuMode->MenusSkinData();
}

void TskSkinForm::SetMenusSkinData(TskSkinData* Value) {
    FMenuMode->SetMenusSkinData(Value);
}

TskSkinMenu* TskSkinForm::SkinMenu() const {
    return FMenuMode->SkinMenu();
}

TskSkinPopupMenu* TskSkinForm::TrayMenu() const {
    return FMenuMode->TrayMenu();
}

bool TskSkinForm::SkinMenuIsOpen() const {
    return FMenuMode->MenuOpen();
}

bool TskSkinForm::MenuBarMode() const {
    return FMenuMode->MenuBarMode();
}

TComponent* TskSkinForm::MainMenuBar() const {
    return FMenuMode->MainMenuBar();
}

TskMenuBarLink* TskSkinForm::MenuBar() const {
    return FMenuMode->MenuBar();
}

void TskSkinForm::SetMainMenuBar(TComponent* Value) {
    FMenuMode->SetMainMenuBar(Value);
}

void TskSkinForm::EnterMenuBarMode(TObject* Sender) {
    FMenuMode->EnterMenuBarMode(Sender);
}

void TskSkinForm::LeaveMenuBarMode() {
    FMenuMode->LeaveMenuBarMode();
}

void TskSkinForm::EndSkinMenu() {
    FMenuMode->EndSkinMenu();
}

void TskSkinForm::ShortCutHook(TMessage& Msg, bool& Handled) {
    if (OnShortCut) OnShortCut(Msg, Handled);
    if (!Handled) FMenuMode->ShortCut(Msg, Handled);
}

void TskSkinForm::PopupObjectMenu(TMenuItem* Item, const TRect& ScreenRect, bool Upward) {
    FMenuMode->PopupObjectMenu(Item, ScreenRect, Upward);
}

void TskSkinForm::HoldMenuGrab() {
    FMenuMode->HoldMenuGrab();
}

TPopupMenu* TskSkinForm::SystemMenu() const {
    return FSystemMenu->UserMenu();
}

void TskSkinForm::SetSystemMenu(TPopupMenu* Value) {
    FSystemMenu->SetUserMenu(Value);
}

TPopupMenu* TskSkinForm::DefaultSystemMenu() const {
    return FSystemMenu->DefaultMenu();
}

TMenuItem* TskSkinForm::GetSystemMenuItems() {
    return FSystemMenu->Items();
}

void TskSkinForm::PopupSystemMenu(int X, int Y) {
    PopupSystemMenuAtRect({X, Y, X, Y});
}

void TskSkinForm::PopupSystemMenuAtRect(const TRect& R) {
    PopupObjectMenu(GetSystemMenuItems(), R, false);
}

} // namespace vd
