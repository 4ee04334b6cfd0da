#include "skin/controls/SkinStdLabel.h"

#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinData.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinWindowRecords.h"

namespace vd {

void DrawLabelText(TCanvas& c, const String& Text, TRect& R, UINT Flags, bool Enabled, TColor Highlight,
                   TColor Shadow) {
    c.Brush().Style = bsClear;
    if (Enabled || (Flags & DT_CALCRECT)) {
        c.DrawText(Text, R, Flags);
        return;
    }
    TRect moved{R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1};
    c.Font().SetColor(Highlight);
    c.DrawText(Text, moved, Flags);
    c.Font().SetColor(Shadow);
    c.DrawText(Text, R, Flags);
}

TskSkinStdLabel::TskSkinStdLabel(TComponent* AOwner) : TCustomLabel(AOwner) {
    SetTransparent(true);
}

void TskSkinStdLabel::SetSkinData(TskSkinData* Value) {
    FSkinData = Value;
    if (Value) ChangeSkinData();
}

void TskSkinStdLabel::GetSkinData() {
    FSkinIndex = SkinUsable(FSkinData) ? FSkinData->IndexOfControlRecord(SkinDataName) : -1;
    if (FSkinIndex == -1) return;
    if (auto* r = dynamic_cast<TskDataSkinStdLabelControl*>(FSkinData->ControlRecord(FSkinIndex))) {
        fontname = r->fontname;
        fontstyle = r->fontstyle;
        fontheight = r->fontheight;
        fontcolor = r->fontcolor;
    } else {
        FSkinIndex = -1; // another kind of record: the plain drawing
    }
}

void TskSkinStdLabel::ChangeSkinData() {
    GetSkinData();
    if (AutoSize()) AdjustBounds();
    Repaint();
}

void TskSkinStdLabel::DoDrawText(TRect& Rect, UINT Flags) {
    GetSkinData();
    String text = Caption();
    if ((Flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&"))) text += ' ';
    if (!ShowAccelChar()) Flags |= DT_NOPREFIX;
    TCanvas& c = Canvas();
    if (FSkinIndex == -1) {
        c.Font().Assign(UseSkinFont ? FDefaultFont : Font());
    } else {
        if (UseSkinFont) {
            c.Font().SetName(fontname);
            c.Font().SetStyle(fontstyle);
            c.Font().SetHeight(fontheight);
        } else {
            c.Font().Assign(Font());
        }
        c.Font().SetColor(UseSkinColor ? fontcolor : Font().Color());
    }
    c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    const bool skinned = FSkinIndex != -1;
    DrawLabelText(c, text, Rect, Flags, Enabled(),
                  skinned ? FSkinData->SkinColors().cbtnhighlight : clBtnHighlight,
                  skinned ? FSkinData->SkinColors().cbtnshadow : clBtnShadow);
}

} // namespace vd
