#pragma once
// The shell views' Delete question as the skinned message box: Yes moves the item to the trash.
#include "platform/rtl/String.h"
#include "skin/core/Forward.h"
#include "skin/extra/shell/SkinShellMenu.h"

namespace vd {

inline constexpr const char* kShellDeleteQuestion = "Move \"%s\" to the trash?";

// Asks with a skinned Yes/No box in the given skins (null: the plain look); true for Yes.
bool AskShellDelete(const String& Name, TskSkinData* Skin, TskSkinData* CtrlSkin);

// The skinned question is Delete's while the scope lives; the one before comes back after.
class TShellDeleteConfirmScope {
public:
    TShellDeleteConfirmScope(TskSkinData* Skin, TskSkinData* CtrlSkin);
    ~TShellDeleteConfirmScope();
    TShellDeleteConfirmScope(const TShellDeleteConfirmScope&) = delete;
    TShellDeleteConfirmScope& operator=(const TShellDeleteConfirmScope&) = delete;

private:
    TShellConfirmEvent FPrevious;
};

} // namespace vd
