#include "skin/extra/shell/SkinDialogParts.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/FileUtils.h"
#include "platform/shell/FileSystem.h"
#include "platform/vcl/Form.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinGraphicControl.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/core/SkinData.h"
#include "skin/core/SkinStrings.h"
#include "skin/form/frame/SkinForm.h"

#include <algorithm>

namespace vd {

String DialogText(const TskSkinData* CtrlSkin, const char* Key, const char* BuiltIn) {
    const TskResourceStrData* table = CtrlSkin ? CtrlSkin->ResourceStrData() : nullptr;
    if (!table) return BuiltIn;
    String text = table->LookupResString(Key);
    return text.empty() ? String(BuiltIn) : text;
}

namespace {
void SkinOne(TControl* c, TskSkinData* Skin) {
    if (auto* s = dynamic_cast<TskSkinControl*>(c))
        s->SetSkinData(Skin);
    else if (auto* g = dynamic_cast<TskGraphicSkinControl*>(c))
        g->SetSkinData(Skin);
    else if (auto* e = dynamic_cast<TskSkinCustomEdit*>(c))
        e->SetSkinData(Skin);
    else if (auto* t = dynamic_cast<TskSkinCustomTreeView*>(c))
        t->SetSkinData(Skin);
    else if (auto* l = dynamic_cast<TskSkinCustomListView*>(c))
        l->SetSkinData(Skin);
    else if (auto* t = dynamic_cast<TskSkinStdLabel*>(c))
        t->SetSkinData(Skin);
    else if (auto* b = dynamic_cast<TskSkinBevel*>(c))
        b->SetSkinData(Skin);
}
} // namespace

void SkinDialogControls(TWinControl* Root, TskSkinData* Skin) {
    for (int i = 0; i < Root->ControlCount(); ++i) {
        TControl* c = Root->Controls(i);
        SkinOne(c, Skin);
        if (auto* w = dynamic_cast<TWinControl*>(c)) SkinDialogControls(w, Skin);
    }
}

TskSkinForm* MakeDialogFrame(TCustomForm* Form, const TDialogFrameSettings& Settings) {
    auto* frame = new TskSkinForm(Form);
    frame->SetBorderIcons(0);
    frame->SetSkinData(Settings.SkinData);
    frame->SetMenusSkinData(Settings.MenusSkinData);
    frame->MinWidth = Settings.MinWidth;
    frame->MinHeight = Settings.MinHeight;
    frame->SetAlphaBlend(Settings.AlphaBlend);
    frame->AlphaBlendAnimation = Settings.AlphaBlendAnimation;
    frame->SetAlphaBlendValue(Settings.AlphaBlendValue);
    return frame;
}

int DialogClientExtent(int Remembered, int Default, bool SkinLoaded, int Minimum) {
    const int extent = Remembered > 0 ? Remembered : Default;
    return SkinLoaded ? std::max(extent, Minimum) : extent;
}

void CreateNewFolder(const String& Path) {
    if (const int err = MakeFolder(Path)) throw EInOutError(SysErrorMessage(err));
}

void SizeDialog(TCustomForm* Form, TskSkinForm* Frame, int Width, int Height, int DefaultWidth,
                int DefaultHeight) {
    const TskSkinData* skin = Frame->SkinData();
    const bool loaded = skin && !skin->Empty();
    Form->SetClientWidth(DialogClientExtent(Width, DefaultWidth, loaded, loaded ? Frame->GetMinWidth() : 0));
    Form->SetClientHeight(
        DialogClientExtent(Height, DefaultHeight, loaded, loaded ? Frame->GetMinHeight() : 0));
}

} // namespace vd
