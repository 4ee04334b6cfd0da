#include "skin/extra/shell/SkinSelDirForm.h"

#include "platform/win/Messages.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinSpeedButton.h"
#include "skin/extra/shell/SkinDialogGlyphs.h"
#include "skin/extra/shell/SkinDialogParts.h"
#include "skin/extra/shell/SkinFileCtrl.h"
#include "skin/extra/shell/SkinShellTreeView.h"

namespace vd {

TskSelDirDlgForm::TskSelDirDlgForm(TComponent* AOwner, bool ShowToolBar, TskSkinData* CtrlSkinData)
    : TForm(AOwner), FCtrlSkinData(CtrlSkinData) {
    SetKeyPreview(true);
    SetPosition(poScreenCenter);
    SetBorderStyle(bsSizeable);

    if (ShowToolBar) {
        ToolPanel = new TskSkinPanel(this);
        ToolPanel->SetName("ToolPanel");
        ToolPanel->SetParent(this);
        ToolPanel->SetAlign(alTop);
        ToolPanel->SetBorderStyle(bvNone);
        ToolPanel->SetDefaultHeight(25);
        ToolPanel->SetHeight(25);
        ToolPanel->SetSkinDataName("toolpanel");

        NewFolderButton = new TskSkinSpeedButton(this);
        NewFolderButton->SetName("NewFolderButton");
        NewFolderButton->SetDefaultWidth(27);
        NewFolderButton->SetDefaultHeight(25);
        NewFolderButton->SetBounds(0, 0, 27, 25);
        NewFolderButton->SetAlign(alRight);
        NewFolderButton->SetParent(ToolPanel);
        NewFolderButton->SkinDataName = "toolbutton";
        TBitmap glyph;
        LoadDialogGlyph("SK_NEWFOLDER", glyph);
        NewFolderButton->SetGlyph(glyph);
        NewFolderButton->SetHint(DialogText(CtrlSkinData, "MSG_BTN_NEWFOLDER_HINT", "Create New Folder"));
        NewFolderButton->SetShowHint(true);
        NewFolderButton->OnClick = [this](TObject*) { NewFolderClick(); };

        auto* spacer = new TskSkinBevel(this);
        spacer->SetName("ToolSpacer");
        spacer->SetBounds(0, 0, 5, 25);
        spacer->SetAlign(alRight);
        spacer->SetShape(bsSpacer);
        spacer->SetParent(ToolPanel);

        PathEdit = new TskSkinEdit(this);
        PathEdit->SetName("PathEdit");
        PathEdit->SetDefaultHeight(25);
        PathEdit->SetParent(ToolPanel);
        PathEdit->SetAlign(alClient);
        PathEdit->SetSkinDataName("tooledit");
        PathEdit->OnKeyPress = [this](TObject*, TKeyChar& Key) { PathEditKeyPress(Key); };
    }

    ButtonPanel = new TskSkinPanel(this);
    ButtonPanel->SetName("ButtonPanel");
    ButtonPanel->SetParent(this);
    ButtonPanel->SetAlign(alBottom);
    ButtonPanel->SetBorderStyle(bvNone);
    ButtonPanel->SetHeight(50);

    TreePanel = new TskSkinPanel(this);
    TreePanel->SetName("TreePanel");
    TreePanel->SetParent(this);
    TreePanel->SetAlign(alClient);
    TreePanel->SetBorderStyle(bvFrame);
    TreePanel->SetHeight(200);

    VScrollBar = new TskSkinScrollBar(this);
    VScrollBar->SetName("VScrollBar");
    VScrollBar->SetKind(sbVertical);
    VScrollBar->SetDefaultWidth(19);
    VScrollBar->SetWidth(19);
    VScrollBar->SetAlign(alRight);
    VScrollBar->SetEnabled(false);
    VScrollBar->SetSkinDataName("vscrollbar");
    VScrollBar->SetParent(TreePanel);

    HScrollBar = new TskSkinScrollBar(this);
    HScrollBar->SetName("HScrollBar");
    HScrollBar->SetKind(sbHorizontal);
    HScrollBar->SetDefaultHeight(19);
    HScrollBar->SetHeight(19);
    HScrollBar->SetBothMarkerWidth(19);
    HScrollBar->SetAlign(alBottom);
    HScrollBar->SetEnabled(false);
    HScrollBar->SetSkinDataName("hscrollbar");
    HScrollBar->SetParent(TreePanel);

    Tree = new TskSkinDirTreeView(this);
    Tree->SetName("Tree");
    Tree->SetParent(TreePanel);
    Tree->SetAlign(alClient);
    Tree->SetVScrollBar(VScrollBar);
    Tree->SetHScrollBar(HScrollBar);
    Tree->SetObjectTypes(Tree->ObjectTypes() | (1u << otHidden));
    Tree->HideSelection = false;
    Tree->OnChange = [this](TObject*, TTreeNode*) { TreeChange(); };

    auto button = [&](const char* Name, int Left, const char* Key, const char* Text, int Result) {
        auto* b = new TskSkinButton(this);
        b->SetName(Name);
        b->SetBounds(Left, 15, 70, 25);
        b->SetDefaultHeight(25);
        b->SetTabStop(true);
        b->ModalResult = Result;
        b->SetCaption(DialogText(CtrlSkinData, Key, Text));
        b->SetParent(ButtonPanel);
        return b;
    };
    OKButton = button("OK", 20, "MSG_BTN_OK", "OK", mrOk);
    OKButton->SetDefault(true);
    CancelButton = button("Cancel", 100, "MSG_BTN_CANCEL", "Cancel", mrCancel);
    CancelButton->Cancel = true;
    UpdateOK();
    // Focus needs a visible window.
    OnShow = [this](TObject*) { SetActiveControl(Tree); };
}

String TskSelDirDlgForm::SelectedFolder() const {
    TskShellFolder* f = TskCustomShellTreeView::FolderOf(Tree->Selected());
    return f ? f->FileSystemPath() : String();
}

void TskSelDirDlgForm::UpdateOK() {
    OKButton->SetEnabled(!SelectedFolder().empty());
}

void TskSelDirDlgForm::PathEditKeyPress(TKeyChar& Key) {
    if (Key != '\r') return;
    Key = 0;
    const String path = PathEdit->Text();
    if (path.empty() || !IsExistingFolder(path)) return;
    try {
        Tree->SetPath(path);
    } catch (const EskShellError&) {
        // A relative or unparsable text is ignored like a missing folder.
    }
}

void TskSelDirDlgForm::TreeChange() {
    UpdateOK();
    if (PathEdit) PathEdit->SetText(Tree->GetPath());
}

void TskSelDirDlgForm::NewFolderClick() {
    TTreeNode* node = Tree->Selected();
    const String folder = SelectedFolder();
    // A virtual folder (the computer, the desktop) has nowhere to put one.
    if (!node || folder.empty()) return;
    const String name = JoinFileName(folder, DialogText(FCtrlSkinData, "MSG_NEWFOLDER", "New Folder"));
    if (IsExistingFolder(name)) return;
    CreateNewFolder(name);
    Tree->RefreshNode(node);
}

void TskSelDirDlgForm::Dispatch(TMessage& Message) {
    if (Message.Msg == CM_DIALOGKEY && Message.WParam == VK_RETURN && PathEdit && PathEdit->Focused()) {
        Message.Result = 1;
        return;
    }
    TForm::Dispatch(Message);
}

bool TskSelDirDlgForm::CloseQuery() {
    if (ModalResult() == mrOk && SelectedFolder().empty()) return false;
    return TForm::CloseQuery();
}

} // namespace vd
