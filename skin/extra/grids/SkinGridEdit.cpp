// The grid's side of editing: when the in-place editor shows, which cell it shows, and how its
// text goes back to the cell.
#include "skin/controls/SkinPaint.h"
#include "skin/extra/grids/SkinGrid.h"
#include "skin/extra/grids/SkinInplaceEdit.h"

namespace vd {

TskSkinInplaceEdit* TskSkinCustomGrid::NewInplaceEditor() {
    return new TskSkinInplaceEdit(this);
}

bool TskSkinCustomGrid::EditorMayShow() {
    return (FOptions & goEditing) && !(FOptions & goRowSelect) && FEditMode && !Designing() &&
           HandleAllocated() && ((FOptions & goAlwaysShowEditor) || IsActiveGrid());
}

void TskSkinCustomGrid::EnterEditMode() {
    FEditMode = true;
    PlaceEditor();
}

void TskSkinCustomGrid::LeaveEditMode() {
    FEditMode = false;
    CloseEditor();
}

void TskSkinCustomGrid::SetEditMode(bool v) {
    if (!v) {
        LeaveEditMode();
        return;
    }
    EnterEditMode();
    if (FEditor) FEditor->CaretToEnd();
}

void TskSkinCustomGrid::EnterEditModeWithChar(TKeyChar C) {
    EnterEditMode();
    if (FEditor && FEditor->HandleAllocated())
        PostMessage(FEditor->Handle(), WM_CHAR, static_cast<WPARAM>(C), 0);
}

void TskSkinCustomGrid::ReloadEditor() {
    FEditorCol = FEditorRow = -1;
    PlaceEditor();
}

void TskSkinCustomGrid::PlaceEditor() {
    if (!EditorMayShow()) return;
    if (!FEditor) {
        FEditor = NewInplaceEditor();
        FEditor->SetGrid(this);
        FEditor->SetParent(this);
        LoadEditor();
    } else if (FEditorCol != FCurrent.X || FEditorRow != FCurrent.Y) {
        CloseEditor();
        LoadEditor();
    }
    if (FEditor && EditorMayShow()) FEditor->MoveTo(CellBounds(FCurrent.X, FCurrent.Y), true);
}

void TskSkinCustomGrid::LoadEditor() {
    FEditorCol = FCurrent.X;
    FEditorRow = FCurrent.Y;
    GetSkinData();
    if (FSkinIndex == -1) {
        FEditor->SetColor(clWindow);
        FEditor->Font().Assign(Font());
    } else {
        FEditor->SetColor(bgcolor);
        if (FUseSkinFont) {
            SetSkinFont(FEditor->Font(), fontname, fontheight, fontstyle, fontcolor);
        } else {
            FEditor->Font().Assign(Font());
            FEditor->Font().SetColor(fontcolor);
        }
        ApplySkinCharSet(FEditor->Font());
    }
    FEditor->LoadContents();
    // A limit of -1 makes the cell read-only.
    FModifyAllowed = QueryEditLimit() != -1;
    FEditor->SelectAll();
}

void TskSkinCustomGrid::StoreEditorText() {
    if (FEditor && FEditorCol != -1 && FEditorRow != -1)
        StoreEditText(FEditorCol, FEditorRow, FEditor->Text());
}

void TskSkinCustomGrid::CloseEditor() {
    if (!FEditor) return;
    try {
        StoreEditorText();
    } catch (...) {
        FEditorCol = FEditorRow = -1;
        FEditor->HideBox();
        throw;
    }
    FEditorCol = FEditorRow = -1;
    FEditor->HideBox();
}

} // namespace vd
