#include "platform/gfx/Font.h"

namespace vd {

GdiFont::GdiFont(const LOGFONTA& log) : GdiObject(Kind::Font), FLog(log) {
    FLog.lfFaceName[LF_FACESIZE - 1] = '\0';
}

HFONT CreateFontIndirectA(const LOGFONTA* log) { return log ? new GdiFont(*log) : nullptr; }

} // namespace vd
