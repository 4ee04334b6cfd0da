#pragma once
// A logical font: what the caller asked for. The face that renders it is found on first use
// through fontconfig and shared by every font that asks for the same thing.
#include "platform/gfx/GdiObject.h"

namespace vd {

class FontFace;

class GdiFont : public GdiObject {
public:
    explicit GdiFont(const LOGFONTA& log);
    const LOGFONTA& Log() const { return FLog; }
    // Never null: falls back to a default face when nothing matches.
    FontFace& Face() const;

private:
    LOGFONTA FLog;
    mutable FontFace* FFace = nullptr; // owned by the face cache
};

HFONT CreateFontIndirectA(const LOGFONTA* log);

} // namespace vd
