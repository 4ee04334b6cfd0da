#include "skin/form/frame/SkinFormMDI.h"

#include "platform/vcl/Form.h"
#include "platform/win/Messages.h"
#include "platform/win/Windows.h"
#include "skin/core/SkinParentBackground.h"

namespace vd {

void RegisterMDIParentBackground() {
    static const bool done = [] {
        AddParentBackgroundPainter([](TWinControl* parent, HDC dc) {
            auto* form = dynamic_cast<TCustomForm*>(parent);
            if (!form || form->FormStyle() != fsMDIForm || !form->ClientHandle()) return false;
            SendMessage(form->ClientHandle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            return true;
        });
        return true;
    }();
    (void)done;
}

} // namespace vd
