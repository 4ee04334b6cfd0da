#include "platform/vcl/Font.h"

#include "platform/vcl/FontFaces.h"

#include "platform/gfx/Gdi.h"
#include "platform/vcl/GraphicsHandles.h"
#include "platform/win/Windows.h"

#include <cstring>

namespace vd {

TFont::TFont() = default;

TFont::~TFont() {
    Reset();
}

void TFont::Reset() {
    HGDIOBJ h = FHandle;
    vclgfx::Drop(h);
    FHandle = nullptr;
}

void TFont::SetName(const String& v) {
    if (v == FName) return;
    FName = v;
    Reset();
    Changed();
}

void TFont::SetHeight(int v) {
    if (v == FHeight) return;
    FHeight = v;
    Reset();
    Changed();
}

int TFont::Size() const {
    return -MulDiv(FHeight, 72, 96);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, 96, 72));
}

void TFont::SetStyle(TFontStyles v) {
    if (v == FStyle) return;
    FStyle = v;
    Reset();
    Changed();
}

void TFont::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    Changed();
}

void TFont::SetCharset(Byte v) {
    if (v == FCharset) return;
    FCharset = v;
    Reset();
    Changed();
}

void TFont::SetOrientation(int v) {
    if (v == FOrientation) return;
    FOrientation = v;
    Reset();
    Changed();
}

HFONT TFont::Handle() {
    if (FHandle) return FHandle;
    LOGFONTA lf;
    lf.lfHeight = FHeight;
    lf.lfWeight = (FStyle & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (FStyle & fsItalic) ? 1 : 0;
    lf.lfUnderline = (FStyle & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (FStyle & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = FCharset;
    lf.lfEscapement = lf.lfOrientation = FOrientation;
    std::strncpy(lf.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
    FHandle = CreateFontIndirectA(&lf);
    return FHandle;
}

void TFont::Assign(const TPersistent& source) {
    if (auto* f = dynamic_cast<const TFont*>(&source)) {
        FName = f->FName;
        FHeight = f->FHeight;
        FStyle = f->FStyle;
        FColor = f->FColor;
        FCharset = f->FCharset;
        FOrientation = f->FOrientation;
        Reset();
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void SetDefaultFace(TFont& font, TFontStyles style) {
    font.SetName("Arial");
    font.SetHeight(14);
    font.SetStyle(style);
}

int FontCellHeight(TFont& font) {
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(font.Handle()));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    DeleteDC(dc);
    return tm.tmHeight;
}

} // namespace vd
