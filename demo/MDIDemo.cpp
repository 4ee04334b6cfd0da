// The multiple-document window of the demonstration program: a skinned main window whose
// children have skinned frames, a tabs bar listing them and a window menu.
#include "MDIDemo.h"

#include "platform/rtl/Resources.h"
#include "platform/rtl/SysUtils.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "skin/controls/SkinLabel.h"
#include "skin/core/SkinData.h"
#include "skin/form/frame/SkinForm.h"
#include "skin/form/frame/SkinMDITabsBar.h"
#include "skin/form/menubar/SkinMainMenuBar.h"

namespace vd {

namespace {

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const char* name, const char* caption,
                   TNotifyEvent click = {}) {
    auto* item = new TMenuItem(owner);
    item->SetName(name);
    item->SetCaption(caption);
    item->OnClick = std::move(click);
    parent->Add(item);
    return item;
}

} // namespace

TMDIDemo::TMDIDemo() = default;
TMDIDemo::~TMDIDemo() = default;

TForm* TMDIDemo::CreateWindow() {
    FMain = Application->CreateForm<TForm>();
    FMain->SetName("MDIDemo");
    FMain->SetCaption("Vendrill MDI demo");
    FMain->SetFormStyle(fsMDIForm);
    FMain->SetBounds(60, 60, 640, 460);
    auto* frame = new TskSkinForm(FMain);
    FSkin = new TskSkinData(FMain);
    const std::string_view bytes = FindResource("SKIN", "QUILLMARSH");
    FStored = std::make_unique<TskCompressedStoredSkin>();
    FStored->ReadCompressedData({reinterpret_cast<const Byte*>(bytes.data()), bytes.size()});
    FSkin->LoadStoredSkin(FStored.get());
    frame->SetSkinData(FSkin);

    auto* menu = new TMainMenu(FMain);
    menu->SetName("DemoMenu");
    auto* file = AddItem(FMain, menu->Items(), "FileItem", "&File");
    AddItem(FMain, file, "NewItem", "&New window", [this](TObject*) {
        const String n = IntToStr(++FChildren);
        NewChild(("Window" + n).c_str(), ("Window " + n).c_str(), "A window made from the File menu.");
    });
    AddItem(FMain, file, "ExitItem", "E&xit", [](TObject*) { Application->Terminate(); });
    auto* window = AddItem(FMain, menu->Items(), "WindowItem", "&Window");
    window->GroupIndex = 9;
    AddItem(FMain, window, "CascadeItem", "&Cascade", [this](TObject*) { FMain->Cascade(); });
    AddItem(FMain, window, "TileItem", "&Tile", [this](TObject*) { FMain->Tile(); });
    AddItem(FMain, window, "WindowLine", "-");
    FMain->SetWindowMenu(window);

    // The menu bar above the tabs: a maximized child's buttons move onto it.
    auto* bar = new TskSkinMainMenuBar(FMain);
    bar->SetName("MenuBar");
    bar->SetParent(FMain);
    bar->SetAlign(alTop);
    bar->SetSkinForm(frame);
    bar->SetSkinData(FSkin);
    bar->SetMainMenu(menu);
    frame->SetMainMenuBar(bar);

    auto* tabs = new TskSkinMDITabsBar(FMain);
    tabs->SetName("Tabs");
    tabs->SetParent(FMain);
    tabs->SetAlign(alTop);
    tabs->SetSkinForm(frame);
    tabs->SetSkinData(FSkin);
    frame->SetMDITabsBar(tabs);
    FMain->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    FMain->Show();

    NewChild("StreamOne", "Stream one", "Each child window has a skinned frame of its own.");
    NewChild("StreamTwo", "Stream two", "Maximize a child: its buttons go to the main window.");
    return FMain;
}

TForm* TMDIDemo::NewChild(const char* name, const char* caption, const char* text) {
    auto* child = new TForm(Application);
    child->SetName(name);
    child->SetCaption(caption);
    child->SetFormStyle(fsMDIChild);
    const int step = 36 * (FMain->MDIChildCount() % 6);
    child->SetBounds(16 + step, 16 + step, 330, 210);
    auto* frame = new TskSkinForm(child);
    frame->SetSkinData(FSkin);
    auto* label = new TskSkinLabel(child);
    label->SetParent(child);
    label->SetBounds(12, 12, 290, 22);
    label->SetCaption(text);
    label->SetSkinData(FSkin);
    child->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    child->Show();
    return child;
}

} // namespace vd
