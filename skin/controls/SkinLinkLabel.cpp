#include "skin/controls/SkinLinkLabel.h"

#include "platform/shell/ShellExecute.h"
#include "skin/controls/SkinPaint.h"
#include "skin/core/SkinData.h"
#include "skin/store/SkinControlRecords.h"
#include "skin/store/SkinWindowRecords.h"

namespace vd {

TskSkinLinkLabel::TskSkinLinkLabel(TComponent* AOwner) : TskSkinStdLabel(AOwner) {
    FDefaultFont.SetStyle(fsUnderline);
    Font().Assign(FDefaultFont);
    SetCursor(crHandPoint);
}

void TskSkinLinkLabel::SetUseUnderLine(bool Value) {
    if (Value == FUseUnderLine) return;
    FUseUnderLine = Value;
    Repaint();
}

void TskSkinLinkLabel::Click() {
    TskSkinStdLabel::Click();
    // The address goes to the opener as one argument, never through a shell; one that starts
    // with '-' would be read as an option and is refused.
    if (URL.empty() || URL[0] == '-') return;
    ShellExecute(nullptr, "open", URL.c_str(), nullptr, nullptr, 1);
}

void TskSkinLinkLabel::Dispatch(TMessage& Message) {
    TskSkinStdLabel::Dispatch(Message);
    if (Designing()) return;
    if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) {
        FMouseIn = Message.Msg == CM_MOUSEENTER;
        Repaint();
    }
}

void TskSkinLinkLabel::DoDrawText(TRect& Rect, UINT Flags) {
    GetSkinData();
    String text = Caption();
    if ((Flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&"))) text += ' ';
    if (!ShowAccelChar()) Flags |= DT_NOPREFIX;
    TCanvas& c = Canvas();
    const bool skinned = FSkinIndex != -1;
    if (!skinned) {
        c.Font().Assign(UseSkinFont ? FDefaultFont : Font());
        if (FMouseIn) c.Font().SetColor(DefaultActiveFontColor);
        c.Font().SetStyle(c.Font().Style() | fsUnderline);
    } else {
        TColor active = fontcolor;
        if (auto* r = dynamic_cast<TskDataSkinStdLabelControl*>(FSkinData->ControlRecord(FSkinIndex)))
            active = r->activefontcolor;
        if (UseSkinFont) {
            c.Font().SetName(fontname);
            c.Font().SetStyle(fontstyle);
            c.Font().SetHeight(fontheight);
        } else {
            c.Font().Assign(Font());
        }
        c.Font().SetColor(FMouseIn ? active : fontcolor);
    }
    c.Font().SetCharset(SkinCharSet(FSkinData, FDefaultFont));
    if (Enabled())
        c.Font().SetStyle(FUseUnderLine ? c.Font().Style() | fsUnderline : c.Font().Style() & ~fsUnderline);
    DrawLabelText(c, text, Rect, Flags, Enabled(),
                  skinned ? FSkinData->SkinColors().cbtnhighlight : clBtnHighlight,
                  skinned ? FSkinData->SkinColors().cbtnshadow : clBtnShadow);
}

} // namespace vd
