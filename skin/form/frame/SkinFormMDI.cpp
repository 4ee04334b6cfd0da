// Multiple-document windows: what the frame publishes of them; the work is in FrameMDI.cpp.
#include "skin/form/frame/SkinFormMDI.h"

#include "platform/vcl/Form.h"
#include "platform/win/Messages.h"
#include "skin/core/SkinParentBackground.h"
#include "skin/form/frame/FrameMDI.h"
#include "skin/form/frame/SkinForm.h"

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

bool TskSkinForm::IsMDIForm() const {
    return FForm && FForm->FormStyle() == fsMDIForm;
}

bool TskSkinForm::IsMDIChild() const {
    return FForm && FForm->FormStyle() == fsMDIChild;
}

bool TskSkinForm::IsMaximizedChild() const {
    return IsMDIChild() && WindowState() == skwsMaximized;
}

TskSkinMDITabsBar* TskSkinForm::MDITabsBar() const {
    return FMDI->TabsBar();
}

void TskSkinForm::SetMDITabsBar(TskSkinMDITabsBar* Value) {
    FMDI->SetTabsBar(Value);
}

bool TskSkinForm::ChildMaximized() const {
    return FMDI->ChildMaximized();
}

TMenuItem* TskSkinForm::WindowMenuItem() const {
    return FMDI->WindowMenuItem();
}

void TskSkinForm::SendToChildren(UINT Msg) {
    FMDI->SendToChildren(Msg);
}

void TskSkinForm::ReparkMinimizedChildren() {
    FMDI->ReparkMinimizedChildren();
}

} // namespace vd
