#include "platform/vcl/ComCtrls/ItemViewParts.h"

#include "platform/gfx/Gdi.h"

namespace vd {

void PaintViewBackground(HDC dc, const TRect& client, TColor color, TFont& font) {
    UniqueBrush back(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color))));
    FillRect(dc, &client, back.Get());
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(font.Handle()));
    SetBkMode(dc, TRANSPARENT);
}

void SetLabelColors(HDC dc, const TRect& label, bool selected, TColor fontColor) {
    if (selected) {
        UniqueBrush hl(CreateSolidBrush(GetSysColor(COLOR_HIGHLIGHT)));
        FillRect(dc, &label, hl.Get());
    }
    SetTextColor(dc,
                 selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : static_cast<COLORREF>(ColorToRGB(fontColor)));
}

String CloseLabelEditor(TWinControl* view, TCustomEdit*& editor) {
    TCustomEdit* edit = editor;
    String text = edit->Text();
    editor = nullptr;
    edit->OnExit = nullptr;
    edit->OnKeyDown = nullptr;
    if (edit->Focused() && view->CanFocus()) view->SetFocus();
    edit->Hide();
    edit->DeferFree(); // it may be inside its own key handler
    return text;
}

} // namespace vd
