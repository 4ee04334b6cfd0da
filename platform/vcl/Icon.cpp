#include "platform/vcl/Icon.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/Canvas.h"

namespace vd {

TIcon::~TIcon() {
    if (FHandle) DestroyIcon(FHandle);
}

void TIcon::SetHandle(HICON icon) {
    if (FHandle && FHandle != icon) DestroyIcon(FHandle);
    FHandle = icon;
    if (OnChange) OnChange(this);
}

int TIcon::Width() const {
    ICONINFO ii;
    if (!FHandle || !GetIconInfo(FHandle, &ii)) return 0;
    const int w = ii.hbmColor ? ii.hbmColor->Width() : (ii.hbmMask ? ii.hbmMask->Width() : 0);
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
    return w;
}

int TIcon::Height() const {
    ICONINFO ii;
    if (!FHandle || !GetIconInfo(FHandle, &ii)) return 0;
    const int h = ii.hbmColor ? ii.hbmColor->Height() : (ii.hbmMask ? ii.hbmMask->Height() : 0);
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
    return h;
}

void TIcon::Draw(TCanvas& canvas, const TRect& r) {
    if (FHandle && canvas.Handle())
        DrawIconEx(canvas.Handle(), r.Left, r.Top, FHandle, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
}

void TIcon::Assign(const TPersistent& source) {
    if (auto* i = dynamic_cast<const TIcon*>(&source)) {
        if (i == this) return;
        ICONINFO ii;
        if (i->FHandle && GetIconInfo(i->FHandle, &ii)) {
            SetHandle(CreateIconIndirect(&ii));
            if (ii.hbmColor) DeleteObject(ii.hbmColor);
            if (ii.hbmMask) DeleteObject(ii.hbmMask);
        } else {
            SetHandle(nullptr);
        }
        return;
    }
    TPersistent::Assign(source);
}

} // namespace vd
