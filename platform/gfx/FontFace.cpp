#include "platform/gfx/FontFace.h"

#include "platform/gfx/GdiError.h"
#include "platform/rtl/Utf8.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

namespace vd {

namespace {

// Names the program's skins and forms use, mapped to faces with the same metrics where Debian
// has one; fontconfig's own aliases handle the rest.
const char* MapFamily(const std::string& lower) {
    static const std::pair<const char*, const char*> map[] = {
        {"arial", "Liberation Sans"},
        {"helvetica", "Liberation Sans"},
        {"ms sans serif", "Liberation Sans"},
        {"microsoft sans serif", "Liberation Sans"},
        {"ms shell dlg", "Liberation Sans"},
        {"ms shell dlg 2", "Liberation Sans"},
        {"times new roman", "Liberation Serif"},
        {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},
        {"tahoma", "DejaVu Sans"},
        {"verdana", "DejaVu Sans"},
        {"segoe ui", "DejaVu Sans"},
        {"", "Liberation Sans"},
        {"system", "Liberation Sans"},
    };
    for (const auto& [from, to] : map)
        if (lower == from) return to;
    return nullptr;
}

struct Match {
    std::string file;
    int index = 0;
    bool bold = false;
    bool italic = false;
    std::string family;
};

struct Library {
    FT_Library ft = nullptr;
    std::map<std::string, Match> matches;
    std::map<std::string, std::unique_ptr<FontFace>> faces;

    Library() {
        if (FT_Init_FreeType(&ft) != 0) throw EOutOfResources("Cannot start the font rasterizer");
        FcInit();
    }
    ~Library() {
        faces.clear();
        FT_Done_FreeType(ft);
        FcFini(); // hands back fontconfig's caches, so leak checkers stay quiet
    }
};

Library& Lib() {
    static Library lib;
    return lib;
}

Match FindMatch(const std::string& family, bool bold, bool italic) {
    Match m;
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult result;
    FcPattern* found = FcFontMatch(nullptr, pat, &result);
    if (found) {
        FcChar8* file = nullptr;
        FcChar8* fam = nullptr;
        int weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        if (FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch)
            m.file = reinterpret_cast<const char*>(file);
        if (FcPatternGetString(found, FC_FAMILY, 0, &fam) == FcResultMatch)
            m.family = reinterpret_cast<const char*>(fam);
        FcPatternGetInteger(found, FC_INDEX, 0, &m.index);
        FcPatternGetInteger(found, FC_WEIGHT, 0, &weight);
        FcPatternGetInteger(found, FC_SLANT, 0, &slant);
        m.bold = weight >= FC_WEIGHT_DEMIBOLD;
        m.italic = slant != FC_SLANT_ROMAN;
        FcPatternDestroy(found);
    }
    FcPatternDestroy(pat);
    return m;
}

int Ceil26(FT_Pos v) {
    return int((v + 63) >> 6);
}

} // namespace

struct FontFace::Impl {
    FT_Face face = nullptr;
    bool synthBold = false;
    bool synthItalic = false;
    ~Impl() {
        if (face) FT_Done_Face(face);
    }
};

FontFace::FontFace(std::unique_ptr<Impl> impl) : FImpl(std::move(impl)) {
    FFamily = FImpl->face->family_name ? FImpl->face->family_name : "";
    ComputeMetrics();
}

FontFace::~FontFace() = default;

std::recursive_mutex& FontFace::Lock() {
    static std::recursive_mutex m;
    return m;
}

FontFace& FontFace::ForLog(const LOGFONTA& log) {
    std::lock_guard lock(Lock());
    Library& lib = Lib();
    std::string name(log.lfFaceName, strnlen(log.lfFaceName, LF_FACESIZE));
    std::string lower = name;
    for (char& c : lower)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    const char* mapped = MapFamily(lower);
    const std::string family = mapped ? mapped : name;
    const bool bold = log.lfWeight >= 600;
    const bool italic = log.lfItalic != 0;
    // A height of 0 asks for the default size.
    const int height = log.lfHeight == 0 ? 16 : std::clamp(log.lfHeight, -2000, 2000);
    const std::string key =
        family + '|' + char('0' + bold) + char('0' + italic) + '|' + std::to_string(height);
    if (auto it = lib.faces.find(key); it != lib.faces.end()) return *it->second;

    const std::string matchKey = family + '|' + char('0' + bold) + char('0' + italic);
    auto mit = lib.matches.find(matchKey);
    if (mit == lib.matches.end()) mit = lib.matches.emplace(matchKey, FindMatch(family, bold, italic)).first;
    const Match& m = mit->second;
    auto impl = std::make_unique<Impl>();
    if (m.file.empty() || FT_New_Face(lib.ft, m.file.c_str(), m.index, &impl->face) != 0) {
        impl->face = nullptr;
        const Match fallback = FindMatch("DejaVu Sans", bold, italic);
        if (fallback.file.empty() ||
            FT_New_Face(lib.ft, fallback.file.c_str(), fallback.index, &impl->face) != 0)
            throw EOutOfResources("No usable font");
    }
    FT_Size_RequestRec req{};
    // Positive: the cell (ascent + descent); negative: the em (character) height.
    req.type = height > 0 ? FT_SIZE_REQUEST_TYPE_CELL : FT_SIZE_REQUEST_TYPE_NOMINAL;
    req.height = FT_Long(std::abs(height)) * 64;
    if (FT_Request_Size(impl->face, &req) != 0) throw EOutOfResources("Cannot size the font");
    impl->synthBold = bold && !m.bold;
    impl->synthItalic = italic && !m.italic;
    if (impl->synthItalic) {
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000}; // about 12 degrees
        FT_Set_Transform(impl->face, &shear, nullptr);
    }
    auto face = std::unique_ptr<FontFace>(new FontFace(std::move(impl)));
    FontFace& ref = *face;
    lib.faces.emplace(key, std::move(face));
    return ref;
}

void FontFace::ComputeMetrics() {
    FT_Face f = FImpl->face;
    const FT_Size_Metrics& sm = f->size->metrics;
    // The size metrics come rounded up one by one; rounding the sum instead keeps a requested
    // cell height exact. The system's ascent and descent come from the OS/2 table.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    const bool win = os2 && os2->version != 0xFFFF && (os2->usWinAscent + os2->usWinDescent) > 0;
    const FT_Long ascUnits = win ? FT_Long(os2->usWinAscent) : f->ascender;
    const FT_Long descUnits = win ? FT_Long(os2->usWinDescent) : -f->descender;
    const FT_Pos asc = FT_MulFix(ascUnits, sm.y_scale), desc = FT_MulFix(descUnits, sm.y_scale);
    FMetrics.Ascent = int((asc + 32) >> 6);
    FMetrics.Descent = int((asc + desc + 32) >> 6) - FMetrics.Ascent;
    const int em = int(sm.y_ppem);
    FMetrics.InternalLeading = std::max(0, FMetrics.Ascent + FMetrics.Descent - em);
    FMetrics.ExternalLeading = std::max(0, Ceil26(sm.height) - FMetrics.Ascent - FMetrics.Descent);
    FMetrics.MaxCharWidth = Ceil26(sm.max_advance);
    if (os2 && os2->xAvgCharWidth > 0)
        FMetrics.AveCharWidth = int(std::lround(double(os2->xAvgCharWidth) * em / f->units_per_EM));
    else
        FMetrics.AveCharWidth = Advance(U'x');
    const double scale = double(em) / double(f->units_per_EM ? f->units_per_EM : 2048);
    FMetrics.LineThickness = std::max(1, int(std::lround(f->underline_thickness * scale)));
    FMetrics.UnderlinePos = std::max(1, int(std::lround(-f->underline_position * scale)));
    FMetrics.StrikeoutPos = os2 && os2->yStrikeoutPosition > 0
                                ? int(std::lround(os2->yStrikeoutPosition * scale))
                                : FMetrics.Ascent / 3;
    if (FImpl->synthBold) FMetrics.MaxCharWidth += 1;
}

const Glyph& FontFace::GlyphFor(char32_t c) {
    Glyph* slot;
    if (c < 128) {
        slot = &FAscii[c];
        if (FAsciiReady[c]) return *slot;
        FAsciiReady[c] = true;
    } else {
        auto [it, fresh] = FOthers.try_emplace(c);
        if (!fresh) return it->second;
        slot = &it->second;
    }
    FT_Face f = FImpl->face;
    const FT_UInt index = FT_Get_Char_Index(f, FT_ULong(c));
    if (FT_Load_Glyph(f, index, FT_LOAD_TARGET_LIGHT) != 0) return *slot;
    FT_GlyphSlot g = f->glyph;
    if (FImpl->synthBold && g->format == FT_GLYPH_FORMAT_OUTLINE) FT_Outline_Embolden(&g->outline, 64);
    slot->Advance = int((g->advance.x + 32) >> 6) + (FImpl->synthBold ? 1 : 0);
    if (FT_Render_Glyph(g, FT_RENDER_MODE_NORMAL) != 0) return *slot;
    const FT_Bitmap& bm = g->bitmap;
    slot->Left = g->bitmap_left;
    slot->Top = g->bitmap_top;
    slot->Width = int(bm.width);
    slot->Height = int(bm.rows);
    slot->Coverage.resize(std::size_t(bm.width) * bm.rows);
    for (unsigned y = 0; y < bm.rows; ++y) {
        const unsigned char* row = bm.buffer + std::ptrdiff_t(y) * bm.pitch;
        if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
            std::copy(row, row + bm.width, slot->Coverage.begin() + std::ptrdiff_t(y * bm.width));
        else if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
            for (unsigned x = 0; x < bm.width; ++x)
                slot->Coverage[y * bm.width + x] = (row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
    }
    return *slot;
}

std::u32string DecodeUtf8(const char* text, std::size_t length, std::vector<std::size_t>* byteStarts) {
    const std::string_view view(text, length);
    std::u32string out;
    out.reserve(length);
    if (byteStarts) byteStarts->clear();
    for (std::size_t i = 0, size = 0; i < length; i += size) {
        if (byteStarts) byteStarts->push_back(i);
        out.push_back(Utf8Decode(view, i, &size));
    }
    return out;
}

} // namespace vd
