#include "skin/extra/shell/SkinShellConfirm.h"

#include "platform/rtl/Format.h"
#include "platform/vcl/Application.h"
#include "skin/extra/dialogs/SkinMessage.h"

#include <memory>

namespace vd {

bool AskShellDelete(const String& Name, TskSkinData* Skin, TskSkinData* CtrlSkin) {
    TskSkinMessage box(nullptr);
    box.SetSkinData(Skin);
    box.SetCtrlSkinData(CtrlSkin);
    // The name is an argument, never part of the format.
    return box.ShowMessageDialog(Format(kShellDeleteQuestion, Name), skmtConfirmation,
                                 SkBtn(skmbYes) | SkBtn(skmbNo), 0) == mrYes;
}

TShellDeleteConfirmScope::TShellDeleteConfirmScope(TskSkinData* Skin, TskSkinData* CtrlSkin)
    : FPrevious(ShellDeleteConfirm()) {
    SetShellDeleteConfirm(
        [Skin, CtrlSkin](const String& Name) { return AskShellDelete(Name, Skin, CtrlSkin); });
}

TShellDeleteConfirmScope::~TShellDeleteConfirmScope() {
    SetShellDeleteConfirm(std::move(FPrevious));
}

} // namespace vd
