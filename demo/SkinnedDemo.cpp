// The skinned window of the demonstration program: the program's own skin on a form frame,
// a skinned popup menu (right click, the menu button, the tray icon) and a tray icon.
#include "SkinnedDemo.h"

#include "platform/rtl/Resources.h"
#include "platform/shell/X11TrayHost.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinLabel.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStoredSkin.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinTrayIcon.h"

namespace vd {

namespace {

TMenuItem* AddItem(TskSkinPopupMenu* menu, const char* caption, TNotifyEvent click) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    item->OnClick = std::move(click);
    menu->Items()->Add(item);
    return item;
}

} // namespace

TSkinnedDemo::TSkinnedDemo() {
    FTray = X11TrayHost::Open();
    if (FTray) InstallTrayHost(FTray.get());
}

TSkinnedDemo::~TSkinnedDemo() {
    InstallTrayHost(nullptr);
}

TForm* TSkinnedDemo::CreateWindow() {
    TForm* form = Application->CreateForm<TForm>();
    form->SetName("SkinnedDemo");
    form->SetCaption("Vendrill skinned demo");
    form->SetBounds(60, 60, 420, 280);
    auto* frame = new TskSkinForm(form);
    auto* skin = new TskSkinData(form);
    const std::string_view bytes = FindResource("SKIN", "QUILLMARSH");
    FStored = std::make_unique<TskCompressedStoredSkin>();
    FStored->ReadCompressedData({reinterpret_cast<const Byte*>(bytes.data()), bytes.size()});
    skin->LoadStoredSkin(FStored.get());
    frame->SetSkinData(skin);
    frame->SetBorderIcons(skbiSystemMenu | skbiMinimize | skbiMaximize | skbiRollUp | skbiMinimizeToTray);
    frame->SetSkinData(skin);
    frame->Magnetic = true;

    auto* menu = new TskSkinPopupMenu(form);
    menu->SetName("DemoMenu");
    AddItem(menu, "&Restore", [frame](TObject*) { frame->RestoreFromTray(); });
    AddItem(menu, "Roll &up", [frame](TObject*) { frame->RollUp(!frame->RolledUp()); });
    AddItem(menu, "Hide in the &tray", [frame](TObject*) { frame->MinimizeToTray(); });
    AddItem(menu, "-", {});
    AddItem(menu, "E&xit", [](TObject*) { Application->Terminate(); });
    form->SetPopupMenu(menu);

    auto* label = new TskSkinLabel(form);
    label->SetParent(form);
    label->SetBounds(16, 16, 370, 22);
    label->SetCaption("Right click, or press the menu button, for the skinned menu");
    label->SetSkinData(skin);

    auto* button = new TskSkinMenuSpeedButton(form);
    button->SetParent(form);
    button->SetBounds(16, 52, 110, 26);
    button->SetCaption("Menu");
    button->SetTrackButtonMode(true);
    button->SetSkinPopupMenu(menu);
    button->SetSkinData(skin);

    auto* tray = new TskSkinButton(form);
    tray->SetParent(form);
    tray->SetBounds(140, 52, 120, 26);
    tray->SetCaption("To the tray");
    tray->OnClick = [frame](TObject*) { frame->MinimizeToTray(); };
    tray->SetSkinData(skin);

    auto* icon = new TskTrayIcon(form);
    icon->SetHint("Vendrill skinned demo");
    icon->SetPopupMenu(menu);
    frame->SetTrayIcon(icon);
    icon->SetIconVisible(true);
    form->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    return form;
}

} // namespace vd
