#include "skin/extra/shell/SkinOpenDlgForm.h"

#include "platform/rtl/FileUtils.h"
#include "platform/vcl/Menus.h"
#include "platform/win/WinTypes.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinMenuLink.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/extra/shell/SkinDialogGlyphs.h"
#include "skin/extra/shell/SkinDialogParts.h"
#include "skin/extra/shell/SkinFileCtrl.h"
#include "skin/extra/shell/SkinOpenDialogRules.h"
#include "skin/extra/shell/SkinShellComboBox.h"
#include "skin/extra/shell/SkinShellListView.h"

namespace vd {

TskOpenDlgForm::TskOpenDlgForm(TComponent* AOwner, TskSkinData* CtrlSkinData, bool SaveMode)
    : TForm(AOwner), FSaveMode(SaveMode), FCtrlSkinData(CtrlSkinData) {
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    SetClientWidth(450);
    SetClientHeight(290);
    BuildToolBar();
    BuildBottom();
    BuildMiddle();
    // Focus needs a visible window.
    OnShow = [this](TObject*) { SetActiveControl(FileNameEdit); };
}

void TskOpenDlgForm::BuildToolBar() {
    ToolBar = new TskSkinToolBar(this);
    ToolBar->SetName("ToolBar");
    ToolBar->SetParent(this);
    ToolBar->SetAlign(alTop);
    ToolBar->SetBorderStyle(bvNone);
    ToolBar->SetDefaultHeight(25);
    ToolBar->SetHeight(25);
    ToolBar->SetSkinDataName("toolpanel");

    // Left to right; each aligned control goes after the ones placed before it.
    int left = 0;
    auto place = [&](TControl* c, int width, TAlign align) {
        c->SetBounds(left, 0, width, 25);
        left += width;
        c->SetAlign(align);
        c->SetParent(ToolBar);
    };
    auto spacer = [&](const char* name, TAlign align, int width = 10) {
        auto* b = new TskSkinBevel(this);
        b->SetName(name);
        b->SetShape(bsSpacer);
        place(b, width, align);
    };
    spacer("LeftSpacer", alLeft);
    LookInLabel = new TskSkinStdLabel(this);
    LookInLabel->SetName("LookInLabel");
    LookInLabel->SetCaption(DialogText(FCtrlSkinData, "FLV_LOOKIN", "Look in: "));
    LookInLabel->SetLayout(tlCenter);
    place(LookInLabel, 60, alLeft);
    LookInLabel->SetAutoSize(true);
    spacer("LabelSpacer", alLeft, 6); // the label's text does not touch the combo

    LookInCombo = new TskSkinShellComboBox(this);
    LookInCombo->SetName("LookInCombo");
    LookInCombo->SetDropDownCount(10);
    place(LookInCombo, 190, alClient);

    left = 1000; // the right-hand group, in order
    auto speed = [&](const char* name, const char* glyph, const char* key, const char* hint) {
        auto* b = new TskSkinSpeedButton(this);
        b->SetName(name);
        b->SetDefaultWidth(27);
        b->SetDefaultHeight(25);
        b->SkinDataName = "toolbutton";
        TBitmap picture;
        LoadDialogGlyph(glyph, picture);
        b->SetGlyph(picture);
        b->SetHint(DialogText(FCtrlSkinData, key, hint));
        b->SetShowHint(true);
        place(b, 27, alRight);
        return b;
    };
    BackButton = speed("BackButton", "SK_BACK", "MSG_BTN_BACK_HINT", "Go To Last Folder Visited");
    BackButton->OnClick = [this](TObject*) { BackClick(); };
    UpButton = speed("UpButton", "SK_UP", "MSG_BTN_UP_HINT", "Up One Level");
    UpButton->OnClick = [this](TObject*) { UpClick(); };
    NewFolderButton = speed("NewFolderButton", "SK_NEWFOLDER", "MSG_BTN_NEWFOLDER_HINT", "Create New Folder");
    NewFolderButton->OnClick = [this](TObject*) { NewFolderClick(); };
    spacer("RightSpacer", alRight);

    ViewMenu = new TskSkinPopupMenu(this);
    ViewMenu->SetName("ViewMenu");
    struct Item {
        const char* Key;
        const char* Text;
        int Style;
    };
    const Item items[] = {{"MSG_LV_ICON", "Large icons", 0},
                          {"MSG_LV_SMALLICON", "Small icons", 1},
                          {"MSG_LV_LIST", "List", 2},
                          {"MSG_LV_DETAILS", "Details", 3}};
    for (int i = 0; i < 4; ++i) {
        auto* item = new TMenuItem(this);
        item->SetCaption(DialogText(FCtrlSkinData, items[i].Key, items[i].Text));
        item->RadioItem = true;
        item->GroupIndex = 1;
        const int style = items[i].Style;
        item->OnClick = [this, style](TObject*) { SetViewStyle(style); };
        ViewMenu->Items()->Add(item);
        ViewItems[i] = item;
    }
    ViewButton = new TskSkinMenuSpeedButton(this);
    ViewButton->SetName("ViewButton");
    ViewButton->SetDefaultWidth(37);
    ViewButton->SetDefaultHeight(25);
    ViewButton->SkinDataName = "toolmenubutton";
    TBitmap picture;
    LoadDialogGlyph("SK_LVSTYLE", picture);
    ViewButton->SetGlyph(picture);
    ViewButton->SetHint(DialogText(FCtrlSkinData, "MSG_BTN_VIEWMENU_HINT", "View Menu"));
    ViewButton->SetShowHint(true);
    ViewButton->SetSkinPopupMenu(ViewMenu);
    place(ViewButton, 37, alRight);
}

void TskOpenDlgForm::BuildBottom() {
    BottomPanel = new TskSkinPanel(this);
    BottomPanel->SetName("BottomPanel");
    BottomPanel->SetParent(this);
    BottomPanel->SetAlign(alBottom);
    BottomPanel->SetBorderStyle(bvNone);
    BottomPanel->SetHeight(80);
    const int width = ClientWidth();

    auto label = [&](const char* name, int top, const char* key, const char* text) {
        auto* l = new TskSkinStdLabel(this);
        l->SetName(name);
        l->SetCaption(DialogText(FCtrlSkinData, key, text));
        l->SetAutoSize(true);
        l->SetLeft(10);
        l->SetTop(top);
        l->SetParent(BottomPanel);
        return l;
    };
    FileNameLabel = label("FileNameLabel", 10, "MSG_FILENAME", "File name:");
    FileTypeLabel = label("FileTypeLabel", 45, "MSG_FILETYPE", "File type:");

    FileNameEdit = new TskSkinEdit(this);
    FileNameEdit->SetName("FileNameEdit");
    FileNameEdit->SetDefaultHeight(21);
    FileNameEdit->SetBounds(70, 10, width - 160, 21);
    FileNameEdit->SetAnchors(akLeft | akTop | akRight);
    FileNameEdit->SetParent(BottomPanel);
    FileNameEdit->OnKeyPress = [this](TObject*, TKeyChar& Key) { FileNameKeyPress(Key); };

    FileTypeBox = new TskSkinFilterComboBox(this);
    FileTypeBox->SetName("FileTypeBox");
    FileTypeBox->SetDefaultHeight(21);
    FileTypeBox->SetBounds(70, 45, width - 160, 21);
    FileTypeBox->SetAnchors(akLeft | akTop | akRight);
    FileTypeBox->SetParent(BottomPanel);
    FileTypeBox->OnChange = [this](TObject*) {
        if (FileList) FileList->SetMask(FileTypeBox->Mask());
    };

    auto button = [&](const char* name, int top, String caption) {
        auto* b = new TskSkinButton(this);
        b->SetName(name);
        b->SetCaption(caption);
        b->SetDefaultHeight(25);
        b->SetBounds(width - 80, top, 70, 25);
        b->SetAnchors(akTop | akRight);
        b->SetTabStop(true);
        b->SetParent(BottomPanel);
        return b;
    };
    OpenButton = button("OpenButton", 10,
                        FSaveMode ? DialogText(FCtrlSkinData, "MSG_BTN_SAVE", "&Save")
                                  : DialogText(FCtrlSkinData, "MSG_BTN_OPEN", "&Open"));
    OpenButton->OnClick = [this](TObject*) { OpenClick(); };
    CancelButton = button("CancelButton", 45, DialogText(FCtrlSkinData, "MSG_BTN_CANCEL", "Cancel"));
    CancelButton->ModalResult = mrCancel;
    CancelButton->Cancel = true;
}

void TskOpenDlgForm::BuildMiddle() {
    MiddlePanel = new TskSkinPanel(this);
    MiddlePanel->SetName("MiddlePanel");
    MiddlePanel->SetParent(this);
    MiddlePanel->SetAlign(alClient);
    MiddlePanel->SetBorderStyle(bvFrame);

    HScrollBar = new TskSkinScrollBar(this);
    HScrollBar->SetName("HScrollBar");
    HScrollBar->SetKind(sbHorizontal);
    HScrollBar->SetDefaultHeight(19);
    HScrollBar->SetHeight(19);
    HScrollBar->SetBothMarkerWidth(19);
    HScrollBar->SetEnabled(false);
    HScrollBar->SetSkinDataName("hscrollbar");
    HScrollBar->SetAlign(alBottom);
    HScrollBar->SetParent(MiddlePanel);

    VScrollBar = new TskSkinScrollBar(this);
    VScrollBar->SetName("VScrollBar");
    VScrollBar->SetKind(sbVertical);
    VScrollBar->SetDefaultWidth(19);
    VScrollBar->SetWidth(19);
    VScrollBar->SetEnabled(false);
    VScrollBar->SetSkinDataName("vscrollbar");
    VScrollBar->SetAlign(alRight);
    VScrollBar->SetParent(MiddlePanel);

    FileList = new TskSkinFileListView(this);
    FileList->SetName("FileList");
    FileList->SetParent(MiddlePanel);
    FileList->SetAlign(alClient);
    FileList->SetViewStyle(vsList);
    FileList->SetShowColumnHeaders(true);
    FileList->SetHScrollBar(HScrollBar);
    FileList->SetVScrollBar(VScrollBar);
    FileList->HideSelection = false;
    LookInCombo->SetShellListView(FileList);
    FileList->OnPathChange = [this](TObject*) { FolderChanged(); };
    FileList->OnSelectItem = [this](TObject*, TListItem*, bool) { ItemChanged(); };
    FileList->OnDblClick = [this](TObject*) { ListDblClick(); };
    FileList->OnKeyDown = [this](TObject*, Word& Key, TShiftState) { ListKeyDown(Key); };
}

String TskOpenDlgForm::ListedFolder() const {
    TskShellFolder* f = FileList->Folder();
    return f ? f->FileSystemPath() : String();
}

void TskOpenDlgForm::SetViewStyle(int Style) {
    static constexpr TViewStyle kStyles[4] = {vsIcon, vsSmallIcon, vsList, vsReport};
    if (Style < 0 || Style > 3) Style = 2;
    FileList->SetViewStyle(kStyles[Style]);
    for (int i = 0; i < 4; ++i)
        ViewItems[i]->Checked = i == Style;
}

int TskOpenDlgForm::ViewStyle() const {
    switch (FileList->ViewStyle()) {
    case vsIcon:
        return 0;
    case vsSmallIcon:
        return 1;
    case vsReport:
        return 3;
    default:
        return 2;
    }
}

void TskOpenDlgForm::BackClick() {
    if (FHistory.size() < 2) return;
    FGoingBack = true;
    const ItemIdList previous = FHistory[FHistory.size() - 2];
    try {
        FileList->SetFolder(previous);
    } catch (...) {
        FGoingBack = false;
        throw;
    }
    FHistory.pop_back();
    FGoingBack = false;
}

void TskOpenDlgForm::UpClick() {
    FileList->GoUp();
}

void TskOpenDlgForm::NewFolderClick() {
    const String folder = ListedFolder();
    // A virtual folder (the computer, the desktop) has nowhere to put one.
    if (folder.empty()) return;
    const String name = JoinFileName(folder, DialogText(FCtrlSkinData, "MSG_NEWFOLDER", "New Folder"));
    if (IsExistingFolder(name)) return;
    CreateNewFolder(name);
    FileList->Refresh();
}

void TskOpenDlgForm::FolderChanged() {
    if (!FGoingBack && FileList->Folder()) {
        const ItemIdList& now = FileList->Folder()->AbsoluteIdList();
        if (FHistory.empty() || !SameItemIdList(FHistory.back(), now)) FHistory.push_back(now);
    }
    if (FileList->Items().Count() > 0) FileList->SetItemFocused(FileList->Items().Item(0));
    FolderChangeEvent();
}

void TskOpenDlgForm::ItemChanged() {
    const String name = ExtractFileName(FileList->GetSelectedPath());
    if (!name.empty()) FileNameEdit->SetText(name);
    FolderChangeEvent();
}

void TskOpenDlgForm::FolderChangeEvent() {
    if (OnFolderChange) OnFolderChange(this);
}

void TskOpenDlgForm::ListDblClick() {
    const String path = FileList->GetSelectedPath();
    if (path.empty()) return;
    FResultPath = path;
    SetModalResult(mrOk);
}

void TskOpenDlgForm::ListKeyDown(Word& Key) {
    if (Key == VK_RETURN && !FileList->GetSelectedPath().empty()) {
        Key = 0;
        OpenClick();
    }
}

void TskOpenDlgForm::FileNameKeyPress(TKeyChar& Key) {
    if (Key != '\r') return;
    Key = 0;
    const String text = FileNameEdit->Text();
    if (text.find('*') != String::npos) {
        FileList->SetMask(text);
        return;
    }
    if (text.find('/') != String::npos) {
        const String path = text[0] == '/' ? text : JoinFileName(ListedFolder(), text);
        if ((text[0] == '/' || !ListedFolder().empty()) && IsExistingFolder(path)) {
            try {
                FileList->SetPath(path);
                return;
            } catch (const EskShellError&) {
            }
        }
    }
    OpenClick();
}

void TskOpenDlgForm::OpenClick() {
    TOpenClickState state;
    state.CheckExists = CheckExists;
    state.SaveMode = FSaveMode;
    state.Typed = FileNameEdit->Text();
    state.Selected = FileList->GetSelectedPath();
    state.Folder = ListedFolder();
    const auto result = OpenClickResult(state);
    if (!result) {
        FResultPath.clear();
        return;
    }
    FResultPath = *result;
    SetModalResult(mrOk);
}

} // namespace vd
