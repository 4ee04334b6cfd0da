#include "platform/gfx/Text.h"

#include "platform/gfx/Font.h"
#include "platform/gfx/FontFace.h"
#include "platform/gfx/Raster.h"
#include "platform/gfx/TextPainter.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

namespace vd {

namespace {

std::size_t LengthOf(const char* text, int length) {
    if (!text) return 0;
    return length < 0 ? std::strlen(text) : std::size_t(length);
}

// Where a cell of the given size starts, from the reference point and the alignment, as an
// offset in the text frame.
TPoint AlignOffset(UINT align, int width, const FaceMetrics& m) {
    TPoint o;
    if ((align & TA_CENTER) == TA_CENTER)
        o.X = -width / 2;
    else if (align & TA_RIGHT)
        o.X = -width;
    if ((align & TA_BASELINE) == TA_BASELINE)
        o.Y = -m.Ascent;
    else if (align & TA_BOTTOM)
        o.Y = -(m.Ascent + m.Descent);
    return o;
}

// Moves the cell origin by a frame offset in the painter's turn.
TPoint Turn(int quarter, TPoint p, TPoint o) {
    switch (quarter) {
    case 1:
        return {p.X + o.Y, p.Y - o.X};
    case 2:
        return {p.X - o.X, p.Y - o.Y};
    case 3:
        return {p.X - o.Y, p.Y + o.X};
    default:
        return {p.X + o.X, p.Y + o.Y};
    }
}

bool TextOutImpl(HDC dc, int x, int y, UINT options, const TRect* r, const char* text, std::size_t length,
                 const int* dx) {
    std::vector<std::size_t> byteStarts;
    const std::u32string s = DecodeUtf8(text, length, &byteStarts);
    TextPainter painter(*dc);
    std::vector<int> advances;
    if (dx) {
        for (std::size_t start : byteStarts)
            advances.push_back(dx[start]);
    }
    const int width = dx ? [&] { int w = 0; for (int a : advances) w += a; return w; }() : painter.Width(s);
    const UINT align = dc->State().TextAlign;
    if (align & TA_UPDATECP) {
        x = dc->State().CurrentPos.X;
        y = dc->State().CurrentPos.Y;
    }
    std::optional<TRect> limit;
    if (r) {
        const TRect dr = dc->DevRect(*r);
        if (options & ETO_OPAQUE) raster::FillRect(*dc, dr, raster::ToBgr(dc->State().BkColor), R2_COPYPEN);
        if (options & ETO_CLIPPED) limit = dr;
    }
    const TPoint origin = Turn(painter.Quarter(), {dc->DevX(x), dc->DevY(y)},
                               AlignOffset(align, width, painter.Face().Metrics()));
    painter.Draw(origin.X, origin.Y, s, dc->State().BkMode == OPAQUE, {}, limit,
                 dx ? advances.data() : nullptr);
    if (align & TA_UPDATECP) dc->State().CurrentPos.X += width;
    return true;
}

struct Line {
    std::u32string text;
    std::vector<std::size_t> underlined;
};

// '&x' underlines x, '&&' is '&', a lone '&' at the end is dropped.
void StripPrefix(const std::u32string& in, bool keep, std::u32string& out, std::vector<std::size_t>& marks) {
    if (keep) {
        out = in;
        return;
    }
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] != U'&') {
            out.push_back(in[i]);
            continue;
        }
        if (i + 1 >= in.size()) break;
        ++i;
        if (in[i] != U'&') marks.push_back(out.size());
        out.push_back(in[i]);
    }
}

bool IsSpace(char32_t c) {
    return c == U' ' || c == U'\t';
}

// Splits text into the lines DrawText shows: hard breaks, then word breaks within width.
std::vector<Line> BreakLines(TextPainter& p, const std::u32string& text,
                             const std::vector<std::size_t>& marks, UINT format, int width) {
    std::vector<Line> lines;
    auto emit = [&](std::size_t b, std::size_t e) {
        while (e > b && text[e - 1] == U' ')
            --e;
        Line l;
        l.text = text.substr(b, e - b);
        for (std::size_t m : marks)
            if (m >= b && m < e) l.underlined.push_back(m - b);
        lines.push_back(std::move(l));
    };
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = pos;
        if (!(format & DT_SINGLELINE))
            while (end < text.size() && text[end] != U'\r' && text[end] != U'\n')
                ++end;
        else
            end = text.size();
        if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE)) {
            emit(pos, end);
        } else {
            std::size_t b = pos;
            do {
                // The most words from b that fit; the first word always goes on the line.
                std::size_t best = 0;
                int pen = 0;
                for (std::size_t i = b; i < end; ++i) {
                    pen += p.Advance(text[i], pen);
                    const bool wordEnd = !IsSpace(text[i]) && (i + 1 == end || IsSpace(text[i + 1]));
                    if (!wordEnd) continue;
                    if (pen > width && best != 0) break;
                    best = i + 1;
                    if (pen > width) break;
                }
                if (best == 0) best = end;
                emit(b, best);
                b = best;
                while (b < end && IsSpace(text[b]))
                    ++b;
            } while (b < end);
        }
        if (end >= text.size()) break;
        pos = end + ((text[end] == U'\r' && end + 1 < text.size() && text[end + 1] == U'\n') ? 2 : 1);
        if (pos == text.size()) {
            emit(pos, pos); // a break at the very end starts an empty last line
            break;
        }
    }
    return lines;
}

// Cuts the line so that what is left plus "..." fits; only "..." when nothing fits.
void AddEllipsis(TextPainter& p, Line& line, int width) {
    std::vector<int> prefix(line.text.size() + 1, 0);
    for (std::size_t i = 0; i < line.text.size(); ++i)
        prefix[i + 1] = prefix[i] + p.Advance(line.text[i], prefix[i]);
    if (prefix.back() <= width) return;
    static const std::u32string dots = U"...";
    const int dotsWidth = p.Width(dots);
    std::size_t keep = line.text.size();
    while (keep > 0 && prefix[keep] + dotsWidth > width)
        --keep;
    line.text = line.text.substr(0, keep) + dots;
    std::erase_if(line.underlined, [keep](std::size_t i) { return i >= keep; });
}

int DrawTextImpl(HDC dc, const char* text, std::size_t length, TRect* r, UINT format) {
    TextPainter painter(*dc);
    if (format & DT_EXPANDTABS) painter.SetTabWidth(8 * std::max(1, painter.Face().Metrics().AveCharWidth));
    std::u32string stripped;
    std::vector<std::size_t> marks;
    StripPrefix(DecodeUtf8(text, length), (format & DT_NOPREFIX) != 0, stripped, marks);
    const int boxWidth = int(std::clamp<std::int64_t>(std::int64_t(r->Right) - r->Left, INT_MIN, INT_MAX));
    std::vector<Line> lines;
    if (!stripped.empty()) lines = BreakLines(painter, stripped, marks, format, boxWidth);
    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
        for (Line& l : lines)
            AddEllipsis(painter, l, boxWidth);
    int lineHeight = painter.LineHeight();
    if (format & DT_EXTERNALLEADING) lineHeight += painter.Face().Metrics().ExternalLeading;
    const int height = int(lines.size()) * lineHeight;
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& l : lines)
            widest = std::max(widest, painter.Width(l.text));
        r->Right = int(std::min<std::int64_t>(std::int64_t(r->Left) + widest, INT_MAX));
        r->Bottom = int(std::min<std::int64_t>(std::int64_t(r->Top) + height, INT_MAX));
        return height;
    }
    int top = r->Top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            top = int((std::int64_t(r->Top) + r->Bottom - height) / 2);
        else if (format & DT_BOTTOM)
            top = int(std::max<std::int64_t>(std::int64_t(r->Bottom) - height, INT_MIN));
    }
    std::optional<TRect> limit;
    if (!(format & DT_NOCLIP)) limit = dc->DevRect(*r);
    const bool opaque = dc->State().BkMode == OPAQUE;
    int y = top;
    for (const Line& l : lines) {
        const int w = painter.Width(l.text);
        int x = r->Left;
        if (format & DT_CENTER)
            x = int((std::int64_t(r->Left) + r->Right - w) / 2);
        else if (format & DT_RIGHT)
            x = int(std::max<std::int64_t>(std::int64_t(r->Right) - w, INT_MIN));
        painter.Draw(dc->DevX(x), dc->DevY(y), l.text, opaque,
                     (format & DT_HIDEPREFIX) ? std::vector<std::size_t>{} : l.underlined, limit);
        y = int(std::min<std::int64_t>(std::int64_t(y) + lineHeight, INT_MAX));
    }
    if ((format & (DT_VCENTER | DT_BOTTOM)) && (format & DT_SINGLELINE))
        return int(std::clamp<std::int64_t>(std::int64_t(top) - r->Top + height, INT_MIN, INT_MAX));
    return height;
}

} // namespace

bool TextOutA(HDC dc, int x, int y, const char* text, int length) {
    return ExtTextOutA(dc, x, y, 0, nullptr, text, UINT(LengthOf(text, length)), nullptr);
}

bool ExtTextOutA(HDC dc, int x, int y, UINT options, const TRect* r, const char* text, UINT length,
                 const int* dx) {
    if (!dc) return false;
    if (!text) length = 0;
    std::lock_guard lock(FontFace::Lock());
    return TextOutImpl(dc, x, y, options, r, text, length, dx);
}

int DrawTextA(HDC dc, const char* text, int length, TRect* r, UINT format) {
    if (!dc || !r) return 0;
    std::lock_guard lock(FontFace::Lock());
    return DrawTextImpl(dc, text, LengthOf(text, length), r, format);
}

bool GetTextExtentPoint32A(HDC dc, const char* text, int length, TSize* size) {
    if (!dc || !size) return false;
    std::lock_guard lock(FontFace::Lock());
    TextPainter painter(*dc);
    size->cx = painter.Width(DecodeUtf8(text, LengthOf(text, length)));
    size->cy = painter.LineHeight();
    return true;
}

bool GetTextMetricsA(HDC dc, TEXTMETRICA* tm) {
    if (!dc || !tm) return false;
    std::lock_guard lock(FontFace::Lock());
    const GdiFont& font = *dc->State().Font.Get();
    const FaceMetrics& m = font.Face().Metrics();
    *tm = TEXTMETRICA{};
    tm->tmAscent = m.Ascent;
    tm->tmDescent = m.Descent;
    tm->tmHeight = m.Ascent + m.Descent;
    tm->tmInternalLeading = m.InternalLeading;
    tm->tmExternalLeading = m.ExternalLeading;
    tm->tmAveCharWidth = m.AveCharWidth;
    tm->tmMaxCharWidth = m.MaxCharWidth;
    tm->tmWeight = font.Log().lfWeight;
    tm->tmItalic = font.Log().lfItalic;
    tm->tmUnderlined = font.Log().lfUnderline;
    tm->tmStruckOut = font.Log().lfStrikeOut;
    tm->tmCharSet = font.Log().lfCharSet;
    return true;
}

int GetTextFaceA(HDC dc, int count, char* name) {
    if (!dc) return 0;
    std::lock_guard lock(FontFace::Lock());
    const std::string& family = dc->State().Font->Face().FamilyName();
    if (!name || count <= 0) return int(family.size()) + 1;
    const std::size_t n = std::min(family.size(), std::size_t(count - 1));
    std::memcpy(name, family.data(), n);
    name[n] = '\0';
    return int(n);
}

TSize TextExtent(HDC dc, std::string_view text) {
    TSize s;
    GetTextExtentPoint32A(dc, text.data(), int(text.size()), &s);
    return s;
}

int DrawTextUtf8(HDC dc, std::string_view text, TRect& r, UINT format) {
    return DrawTextA(dc, text.data(), int(text.size()), &r, format);
}

} // namespace vd
