#include "platform/gfx/Font.h"

#include "platform/gfx/FontFace.h"

namespace vd {

GdiFont::GdiFont(const LOGFONTA& log) : GdiObject(Kind::Font), FLog(log) {
    FLog.lfFaceName[LF_FACESIZE - 1] = '\0';
}

FontFace& GdiFont::Face() const {
    std::lock_guard lock(FontFace::Lock());
    if (!FFace) FFace = &FontFace::ForLog(FLog);
    return *FFace;
}

HFONT CreateFontIndirectA(const LOGFONTA* log) {
    return log ? new GdiFont(*log) : nullptr;
}

} // namespace vd
