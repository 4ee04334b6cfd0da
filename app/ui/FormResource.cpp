#include "app/ui/FormResource.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Resources.h"
#include "skin/boxes/SkinBoxes.h"
#include "skin/controls/SkinControlsClasses.h"
#include "skin/core/SkinProperties.h"
#include "skin/extra/dialogs/SkinDialogClasses.h"
#include "skin/extra/grids/SkinDrawGrid.h"
#include "skin/extra/shell/SkinShellClasses.h"
#include "skin/form/frame/SkinForm.h"

namespace vd {

void RegisterConsoleClasses() {
    static bool done = false; // GUI thread only, like the form reader
    if (done) return;
    done = true;
    RegisterSkinCoreClasses();
    RegisterSkinFormClasses();
    RegisterSkinControlsClasses();
    RegisterSkinBoxesClasses();
    RegisterSkinGridClasses();
    RegisterSkinDialogClasses();
    RegisterSkinShellClasses();
}

void ReadFormResource(TComponent* form, const String& name, const TFormReader::EventBinder& binder) {
    RegisterConsoleClasses();
    const std::string_view text = FindResource("FORM", name);
    if (text.empty()) throw EReadError("Form resource " + name + " not found");
    try {
        TFormReader::ReadRoot(String(text), form, binder);
    } catch (const EReadError& e) {
        throw EReadError("Form resource " + name + ": " + e.Message());
    }
}

} // namespace vd
