#pragma once
// A sized font face with its glyph cache. Faces are made and kept by the face cache; every
// use goes through FontFace::Lock(), as glyphs are cached on first use.
#include "platform/gfx/GdiTypes.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace vd {

struct Glyph {
    int Left = 0; // from the pen position to the first column
    int Top = 0;  // from the baseline up to the first row
    int Width = 0;
    int Height = 0;
    int Advance = 0;
    std::vector<Byte> Coverage; // Width x Height, 0..255
};

struct FaceMetrics {
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0;
    int ExternalLeading = 0;
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
    int UnderlinePos = 0; // below the baseline
    int StrikeoutPos = 0; // above the baseline
    int LineThickness = 1;
};

class FontFace {
public:
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;
    ~FontFace();

    // Guards every face and glyph cache.
    static std::recursive_mutex& Lock();
    // The face for a logical font; never null.
    static FontFace& ForLog(const LOGFONTA& log);

    const FaceMetrics& Metrics() const { return FMetrics; }
    int Height() const { return FMetrics.Ascent + FMetrics.Descent; }
    const std::string& FamilyName() const { return FFamily; }
    const Glyph& GlyphFor(char32_t c);
    int Advance(char32_t c) { return GlyphFor(c).Advance; }

private:
    struct Impl;
    explicit FontFace(std::unique_ptr<Impl> impl);
    void ComputeMetrics();

    std::unique_ptr<Impl> FImpl;
    std::string FFamily;
    FaceMetrics FMetrics;
    Glyph FAscii[128];
    bool FAsciiReady[128] = {};
    std::unordered_map<char32_t, Glyph> FOthers;
};

// UTF-8 to code points: a malformed byte becomes U+FFFD and decoding goes on.
std::u32string DecodeUtf8(const char* text, std::size_t length,
                          std::vector<std::size_t>* byteStarts = nullptr);

} // namespace vd
