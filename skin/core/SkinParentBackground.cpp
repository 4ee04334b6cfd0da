#include "skin/core/SkinParentBackground.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Controls.h"
#include "platform/win/Messages.h"

#include <vector>

namespace vd {

namespace {

std::vector<TskParentBackgroundPainter>& Painters() {
    static std::vector<TskParentBackgroundPainter> painters;
    return painters;
}

// Sets csPaintCopy on the parent and clears it again on every way out.
class PaintCopyGuard {
public:
    explicit PaintCopyGuard(TControl* c) : FControl(c) {
        c->SetControlState(c->ControlState() | csPaintCopy);
    }
    ~PaintCopyGuard() { FControl->SetControlState(FControl->ControlState() & ~csPaintCopy); }
    PaintCopyGuard(const PaintCopyGuard&) = delete;
    PaintCopyGuard& operator=(const PaintCopyGuard&) = delete;

private:
    TControl* FControl;
};

} // namespace

void AddParentBackgroundPainter(TskParentBackgroundPainter painter) {
    Painters().push_back(std::move(painter));
}

void PaintParentBackgroundRect(TControl* control, const TRect& r, HDC dc) {
    TWinControl* parent = control ? control->Parent() : nullptr;
    if (!parent || !dc) return;
    PaintCopyGuard copying(parent);
    SaveGuard saved(dc);
    SetViewportOrgEx(dc, -control->Left() - r.Left, -control->Top() - r.Top, nullptr);
    IntersectClipRect(dc, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    for (const TskParentBackgroundPainter& painter : Painters())
        if (painter && painter(parent, dc)) return;
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

void PaintParentBackground(TControl* control, HDC dc) {
    PaintParentBackgroundRect(control, {}, dc);
}

} // namespace vd
