// The tree view's painting, mouse, keyboard, messages and label editing.
#include "platform/gfx/Gdi.h"
#include "platform/vcl/ComCtrls/ItemViewParts.h"
#include "platform/vcl/ComCtrls/TreeView.h"

#include <algorithm>

namespace vd {

namespace {
// The normal list first, then the state list.
constexpr TViewImageList<TCustomTreeView> kImageLists[] = {
    {"Images", &TCustomTreeView::Images, &TCustomTreeView::SetImages},
    {"StateImages", &TCustomTreeView::StateImages, &TCustomTreeView::SetStateImages}};
} // namespace

void TCustomTreeView::PaintWindow(std::uintptr_t DC) {
    HDC dc = reinterpret_cast<HDC>(DC);
    const TRect client = ClientRect();
    PaintViewBackground(dc, client, FColor, FFont);
    const auto& rows = Rows();
    const int h = ItemHeight();
    for (int r = FTopRow; r < static_cast<int>(rows.size()) && (r - FTopRow) * h < client.Bottom; ++r) {
        const TRect row{0, (r - FTopRow) * h, client.Right, (r - FTopRow + 1) * h};
        DrawNode(dc, rows[static_cast<std::size_t>(r)], row);
    }
}

// Button, image and label of one row; the selection is drawn while focused or HideSelection
// is off.
// Dotted lines: from the row's button column to its label, and down every ancestor column
// that has more siblings below.
void TCustomTreeView::DrawLines(HDC dc, TTreeNode* node, const TRect& row) {
    const int mid = (row.Top + row.Bottom) / 2;
    const COLORREF ink = GetSysColor(COLOR_GRAYTEXT);
    auto column = [&](int level) { return (level + (ShowRoot ? 1 : 0)) * Indent - FHorzOffset - Indent / 2; };
    auto dots = [&](int x0, int y0, int x1, int y1) {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y)
                if (((x + y) & 1) == 0) SetPixel(dc, x, y, ink);
    };
    const int level = node->Level();
    if (!ShowRoot && level == 0) return;
    const int cx = column(level);
    dots(cx, mid, cx + Indent / 2 - 2, mid);
    const bool first = !node->Parent() && !node->GetPrevSibling();
    dots(cx, first ? mid : row.Top, cx, node->GetNextSibling() ? row.Bottom - 1 : mid);
    for (TTreeNode* p = node->Parent(); p; p = p->Parent())
        if (p->GetNextSibling() && (ShowRoot || p->Level() > 0))
            dots(column(p->Level()), row.Top, column(p->Level()), row.Bottom - 1);
}

void TCustomTreeView::DrawNode(HDC dc, TTreeNode* node, const TRect& row) {
    const int x = (node->Level() + (ShowRoot ? 1 : 0)) * Indent - FHorzOffset;
    const int mid = (row.Top + row.Bottom) / 2;
    if (ShowLines) DrawLines(dc, node, row);
    if (ShowButtons && node->HasChildren() && (ShowRoot || node->Level() > 0)) {
        const TRect box{x - Indent / 2 - 4, mid - 4, x - Indent / 2 + 5, mid + 5};
        FrameRect(dc, &box, GetSysColorBrush(COLOR_GRAYTEXT));
        UniqueBrush ink(CreateSolidBrush(GetSysColor(COLOR_WINDOWTEXT)));
        const TRect hbar{box.Left + 2, mid, box.Right - 2, mid + 1};
        FillRect(dc, &hbar, ink.Get());
        if (!node->Expanded()) {
            const TRect vbar{x - Indent / 2, box.Top + 2, x - Indent / 2 + 1, box.Bottom - 2};
            FillRect(dc, &vbar, ink.Get());
        }
    }
    int tx = x;
    if (FImages) {
        const int index =
            node == FSelected && node->SelectedIndex() >= 0 ? node->SelectedIndex() : node->ImageIndex();
        TCanvas canvas;
        canvas.SetHandle(dc);
        FImages->Draw(canvas, tx, row.Top + (row.Height() - FImages->Height()) / 2, index, Enabled());
        canvas.SetHandle(nullptr);
        tx += FImages->Width() + 2;
    }
    const TSize ext = TextExtent(dc, node->Text());
    const TRect label{tx, row.Top, tx + ext.cx + 4, row.Bottom};
    const bool showSel = node == FSelected && (Focused() || !HideSelection);
    SetLabelColors(dc, label, showSel, FFont.Color());
    TextOutA(dc, tx + 2, row.Top + (row.Height() - ext.cy) / 2, node->Text().c_str(),
             static_cast<int>(node->Text().size()));
}

void TCustomTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (CanFocus() && !Focused()) SetFocus();
    if (Button == mbLeft) {
        if (TTreeNode* node = GetNodeAt(X, Y)) {
            const int x = (node->Level() + (ShowRoot ? 1 : 0)) * Indent - FHorzOffset;
            const bool onButton = ShowButtons && node->HasChildren() && X >= x - Indent && X < x;
            if (onButton)
                node->SetExpanded(!node->Expanded());
            else
                SetSelected(node);
        }
    }
    TWinControl::MouseDown(Button, Shift, X, Y);
}

void TCustomTreeView::DblClick() {
    TPoint p;
    GetCursorPos(p);
    p = ScreenToClient(p);
    if (TTreeNode* node = GetNodeAt(p.X, p.Y)) node->SetExpanded(!node->Expanded());
    TWinControl::DblClick();
}

void TCustomTreeView::KeyDown(Word& Key, TShiftState Shift) {
    TWinControl::KeyDown(Key, Shift);
    const auto& rows = Rows();
    if (rows.empty() || Key == 0) return;
    const int count = static_cast<int>(rows.size());
    const int cur = FSelected ? RowOf(FSelected) : -1;
    const int page = std::max(1, VisibleCount() - 1);
    auto go = [&](int row) { SetSelected(rows[static_cast<std::size_t>(std::clamp(row, 0, count - 1))]); };
    switch (Key) {
    case VK_UP:
        go(cur - 1);
        break;
    case VK_DOWN:
        go(cur + 1);
        break;
    case VK_PRIOR:
        go(cur - page);
        break;
    case VK_NEXT:
        go(cur + page);
        break;
    case VK_HOME:
        go(0);
        break;
    case VK_END:
        go(count - 1);
        break;
    case VK_LEFT:
        if (FSelected && FSelected->Expanded())
            FSelected->Collapse(false);
        else if (FSelected && FSelected->Parent())
            SetSelected(FSelected->Parent());
        break;
    case VK_RIGHT:
        if (FSelected && !FSelected->Expanded())
            FSelected->Expand(false);
        else if (FSelected && FSelected->GetFirstChild())
            SetSelected(FSelected->GetFirstChild());
        break;
    case VK_ADD:
        if (FSelected) FSelected->Expand(false);
        break;
    case VK_SUBTRACT:
        if (FSelected) FSelected->Collapse(false);
        break;
    case VK_MULTIPLY:
        if (FSelected) FSelected->Expand(true);
        break;
    case VK_F2:
        if (FSelected) StartEdit(FSelected);
        break;
    default:
        return;
    }
    Key = 0;
}

void TCustomTreeView::OnScroll(int bar, WPARAM wParam) {
    const int code = ScrollCode(wParam);
    if (bar == SB_VERT) {
        const int page = std::max(1, VisibleCount());
        const int to[] = {FTopRow - 1,
                          FTopRow + 1,
                          FTopRow - page,
                          FTopRow + page,
                          ScrollPos(wParam),
                          ScrollPos(wParam),
                          0,
                          static_cast<int>(Rows().size())};
        if (code >= 0 && code <= SB_BOTTOM) SetTopRow(to[code]);
        return;
    }
    const int page = std::max(1, ClientWidth());
    const int line = Indent;
    const int to[] = {FHorzOffset - line,
                      FHorzOffset + line,
                      FHorzOffset - page,
                      FHorzOffset + page,
                      ScrollPos(wParam),
                      ScrollPos(wParam),
                      0,
                      1 << 30};
    if (code >= 0 && code <= SB_RIGHT) SetHorzOffset(to[code]);
}

void TCustomTreeView::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
        OnScroll(Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, Message.WParam);
        return;
    case WM_MOUSEWHEEL:
        SetTopRow(FTopRow - static_cast<std::int16_t>(HiWord(Message.WParam)) / WHEEL_DELTA * 3);
        Message.Result = 1;
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_SIZE:
        TWinControl::Dispatch(Message);
        SetTopRow(FTopRow);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TWinControl::Dispatch(Message);
        Invalidate();
        return;
    case TVM_GETCOUNT:
        Message.Result = FNodes->Count();
        return;
    case TVM_GETVISIBLECOUNT:
        Message.Result = VisibleCount();
        return;
    case TVM_SETIMAGELIST:
        Message.Result =
            ReplaceImageList(*this, kImageLists[Message.WParam == TVSIL_STATE ? 1 : 0], Message.LParam);
        return;
    default:
        TWinControl::Dispatch(Message);
    }
}

bool TCustomTreeView::SetComponentProperty(const String& name, TComponent* value) {
    return SetImageListProperty(*this, kImageLists, name, value) ||
           TWinControl::SetComponentProperty(name, value);
}

// Label editing: an edit over the label; Enter or leaving it commits, Esc cancels.
bool TCustomTreeView::StartEdit(TTreeNode* node) {
    if (!MayEditLabel(this, node)) return false;
    node->MakeVisible();
    FEditNode = node;
    OpenLabelEditor(this, FEditor, [&](TCustomEdit* editor) {
        TRect r = NodeRect(node, true);
        r.Right = std::max(r.Right + 20, r.Left + 60);
        editor->SetBoundsRect(r);
        editor->SetText(node->Text());
    });
    return true;
}

void TCustomTreeView::EndEdit(bool cancel) {
    if (!FEditor || FEnding) return;
    FEnding = true;
    TTreeNode* node = FEditNode;
    FEditNode = nullptr;
    String text = CloseLabelEditor(this, FEditor);
    if (!cancel && node) {
        Edit(node, text);
        node->SetText(text);
    }
    FEnding = false;
}

} // namespace vd
