#include "Surface.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace vd {
namespace {

using test::Surface;

constexpr const char* kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

UniqueFont MakeFont(const char* face, int height, int weight = FW_NORMAL, int escapement = 0) {
    LOGFONTA lf;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfEscapement = escapement;
    return UniqueFont(CreateFontIndirectA(&lf));
}

// Advances straight from the font file, scaled to a 20-pixel em and rounded per glyph.
class DejaVuFile {
public:
    DejaVuFile() {
        FT_Init_FreeType(&FLib);
        FT_New_Face(FLib, kDejaVu, 0, &FFace);
    }
    ~DejaVuFile() {
        FT_Done_Face(FFace);
        FT_Done_FreeType(FLib);
    }
    int Width(const std::string& s, int em) const {
        int w = 0;
        for (unsigned char c : s) {
            FT_Fixed adv = 0;
            FT_Get_Advance(FFace, FT_Get_Char_Index(FFace, c), FT_LOAD_NO_SCALE, &adv);
            w += int(std::lround(double(adv) * em / FFace->units_per_EM));
        }
        return w;
    }
    int CodePointWidth(unsigned long cp, int em) const {
        FT_Fixed adv = 0;
        FT_Get_Advance(FFace, FT_Get_Char_Index(FFace, cp), FT_LOAD_NO_SCALE, &adv);
        return int(std::lround(double(adv) * em / FFace->units_per_EM));
    }
    int Ascender() const { return FFace->ascender; }
    int Descender() const { return FFace->descender; }
    int Em() const { return FFace->units_per_EM; }

private:
    FT_Library FLib = nullptr;
    FT_Face FFace = nullptr;
};

class TextTest : public ::testing::Test {
protected:
    Surface s{200, 120};
    UniqueFont font = MakeFont("DejaVu Sans", -20);
    TextTest() {
        SelectObject(s.dc.Get(), font.Get());
        s.Fill(0xFFFFFF);
        SetBkMode(s.dc.Get(), TRANSPARENT);
    }
    int Extent(const std::string& t) { return TextExtent(s.dc.Get(), t).cx; }
    TRect Calc(const std::string& t, UINT format, int width = 0) {
        TRect r{10, 10, 10 + width, 10};
        DrawTextA(s.dc.Get(), t.c_str(), -1, &r, format | DT_CALCRECT);
        return r;
    }
    int LineHeight() {
        TEXTMETRICA tm;
        GetTextMetricsA(s.dc.Get(), &tm);
        return tm.tmHeight;
    }
    // Bounding box of the non-white pixels.
    TRect Ink() {
        TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (int y = 0; y < s.B().Height(); ++y)
            for (int x = 0; x < s.B().Width(); ++x)
                if (s.At(x, y) != 0xFFFFFF)
                    box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                           std::max(box.Bottom, y + 1)};
        return box;
    }
};

TEST_F(TextTest, MetricsFollowTheFontFile) {
    DejaVuFile file;
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(s.dc.Get(), &tm));
    const double scale = 20.0 / file.Em();
    EXPECT_EQ(tm.tmAscent, std::lround(file.Ascender() * scale));
    EXPECT_EQ(tm.tmHeight, std::lround((file.Ascender() - file.Descender()) * scale));
    EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 20) << "negative height is the character height";
    // A positive height is the whole cell.
    UniqueFont cell = MakeFont("DejaVu Sans", 30);
    SelectGuard g(s.dc.Get(), cell.Get());
    GetTextMetricsA(s.dc.Get(), &tm);
    EXPECT_EQ(tm.tmHeight, 30);
}

TEST_F(TextTest, ExtentsMatchTheFontsAdvances) {
    DejaVuFile file;
    for (const char* t : {"Hello, World", "iiiii", "WMW", "Stream 001 online", "0123456789"}) {
        const TSize size = TextExtent(s.dc.Get(), t);
        EXPECT_NEAR(size.cx, file.Width(t, 20), 1 + int(std::strlen(t)) / 8) << t;
        EXPECT_EQ(size.cy, LineHeight());
    }
    EXPECT_EQ(Extent("ab"), Extent("a") + Extent("b"));
    EXPECT_EQ(Extent(""), 0);
}

TEST_F(TextTest, CalcRectMeasuresWithoutPrefixes) {
    struct Case {
        const char* text;
        UINT format;
        const char* same;
    };
    const Case cases[] = {
        {"&File", DT_SINGLELINE, "File"},
        {"Save &as", DT_SINGLELINE, "Save as"},
        {"Fish && Chips", DT_SINGLELINE, "Fish & Chips"},
        {"&File", DT_SINGLELINE | DT_NOPREFIX, "&File"},
        {"End&", DT_SINGLELINE, "End"},
    };
    for (const Case& c : cases) {
        const TRect r = Calc(c.text, c.format);
        EXPECT_EQ(r.Width(), Extent(c.same)) << c.text;
        EXPECT_EQ(r.Height(), LineHeight()) << c.text;
        EXPECT_EQ(r.Left, 10);
        EXPECT_EQ(r.Top, 10);
    }
}

TEST_F(TextTest, WordBreakFillsLinesGreedily) {
    const int twoWords = Extent("alpha beta");
    struct Case {
        int width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {twoWords, {"alpha beta", "gamma"}},
        {twoWords - 1, {"alpha", "beta", "gamma"}},
        {Extent("alpha beta gamma"), {"alpha beta gamma"}},
        {5, {"alpha", "beta", "gamma"}}, // words wider than the box stay whole
    };
    for (const Case& c : cases) {
        const TRect r = Calc("alpha beta gamma", DT_WORDBREAK, c.width);
        int widest = 0;
        for (const std::string& l : c.lines)
            widest = std::max(widest, Extent(l));
        EXPECT_EQ(r.Height(), int(c.lines.size()) * LineHeight()) << c.width;
        EXPECT_EQ(r.Width(), widest) << c.width;
    }
    EXPECT_EQ(Calc("one\ntwo\r\nthree", 0).Height(), 3 * LineHeight()) << "hard breaks";
    EXPECT_EQ(Calc("one\ntwo", DT_SINGLELINE).Height(), LineHeight());
}

TEST_F(TextTest, EndEllipsisDrawsWhatFitsPlusDots) {
    const int w = Extent("Hello...");
    TRect r{0, 0, w, 30};
    DrawTextA(s.dc.Get(), "Hello wonderful world", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
    const TRect withEllipsis = Ink();
    Surface plain(200, 120);
    plain.Fill(0xFFFFFF);
    SelectObject(plain.dc.Get(), font.Get());
    SetBkMode(plain.dc.Get(), TRANSPARENT);
    TRect r2{0, 0, 200, 30};
    DrawTextA(plain.dc.Get(), "Hello...", -1, &r2, DT_SINGLELINE);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(s.At(x, y), plain.At(x, y)) << x << "," << y;
    EXPECT_LE(withEllipsis.Right, w);
    // Too narrow for anything but the dots.
    EXPECT_EQ(Calc("Hello", DT_SINGLELINE | DT_END_ELLIPSIS, 3).Width(), Extent("..."));
}

TEST_F(TextTest, ExpandTabsAdvancesToTabStops) {
    TEXTMETRICA tm;
    GetTextMetricsA(s.dc.Get(), &tm);
    const TRect r = Calc("a\tb", DT_SINGLELINE | DT_EXPANDTABS);
    EXPECT_EQ(r.Width(), 8 * tm.tmAveCharWidth + Extent("b"));
}

TEST_F(TextTest, TextLandsInItsCell) {
    TextOutA(s.dc.Get(), 20, 30, "Mix", 3);
    const TRect ink = Ink();
    const TSize size = TextExtent(s.dc.Get(), "Mix");
    EXPECT_GE(ink.Left, 20);
    EXPECT_LE(ink.Right, 20 + size.cx + 1);
    EXPECT_GE(ink.Top, 30);
    EXPECT_LE(ink.Bottom, 30 + size.cy);
    EXPECT_GT(ink.Width(), size.cx / 2);
    // Anti-aliased: some grey between black and white.
    bool grey = false;
    for (int y = ink.Top; y < ink.Bottom; ++y)
        for (int x = ink.Left; x < ink.Right; ++x)
            grey |= s.At(x, y) != 0 && s.At(x, y) != 0xFFFFFF;
    EXPECT_TRUE(grey);
}

TEST_F(TextTest, OpaqueBackgroundFillsTheCell) {
    SetBkMode(s.dc.Get(), OPAQUE);
    SetBkColor(s.dc.Get(), RGB(0, 0, 255));
    TextOutA(s.dc.Get(), 5, 5, "ab", 2);
    const TSize size = TextExtent(s.dc.Get(), "ab");
    EXPECT_EQ(s.At(5, 5), 0x0000FFu);
    EXPECT_EQ(s.At(5 + size.cx - 1, 5 + size.cy - 1), 0x0000FFu);
    EXPECT_EQ(s.At(5 + size.cx, 5), 0xFFFFFFu);
}

TEST_F(TextTest, RotatedTextReadsUpwards) {
    UniqueFont turned = MakeFont("DejaVu Sans", -20, FW_NORMAL, 900);
    SelectGuard g(s.dc.Get(), turned.Get());
    const TSize size = TextExtent(s.dc.Get(), "Level");
    TextOutA(s.dc.Get(), 40, 100, "Level", 5);
    const TRect ink = Ink();
    EXPECT_GE(ink.Left, 40);
    EXPECT_LE(ink.Right, 40 + size.cy);
    EXPECT_LE(ink.Bottom, 100 + 1);
    EXPECT_GE(ink.Top, 100 - size.cx - 1);
    EXPECT_GT(ink.Height(), ink.Width()) << "a word standing on its end";
}

TEST_F(TextTest, PrefixUnderlinesOneCharacter) {
    TRect r{0, 0, 200, 40};
    DrawTextA(s.dc.Get(), "&W", -1, &r, DT_SINGLELINE);
    const TRect withLine = Ink();
    s.Fill(0xFFFFFF);
    DrawTextA(s.dc.Get(), "W", -1, &r, DT_SINGLELINE);
    const TRect without = Ink();
    EXPECT_GT(withLine.Bottom, without.Bottom) << "the underline sits below the glyph";
    s.Fill(0xFFFFFF);
    DrawTextA(s.dc.Get(), "&W", -1, &r, DT_SINGLELINE | DT_HIDEPREFIX);
    EXPECT_EQ(Ink(), without);
}

TEST_F(TextTest, AlignmentMovesTheReferencePoint) {
    const TSize size = TextExtent(s.dc.Get(), "Ref");
    TEXTMETRICA tm;
    GetTextMetricsA(s.dc.Get(), &tm);
    struct Case {
        UINT align;
        int dx, dy; // where the cell's top-left lands, from the reference point
    };
    const Case cases[] = {
        {TA_LEFT | TA_TOP, 0, 0},
        {TA_RIGHT | TA_TOP, -size.cx, 0},
        {TA_CENTER | TA_TOP, -size.cx / 2, 0},
        {TA_LEFT | TA_BASELINE, 0, -tm.tmAscent},
        {TA_LEFT | TA_BOTTOM, 0, -tm.tmHeight},
    };
    for (const Case& c : cases) {
        s.Fill(0xFFFFFF);
        SetBkMode(s.dc.Get(), OPAQUE);
        SetBkColor(s.dc.Get(), RGB(0, 0, 255));
        SetTextAlign(s.dc.Get(), c.align);
        TextOutA(s.dc.Get(), 100, 60, "Ref", 3);
        const TRect ink = Ink();
        EXPECT_EQ(ink.TopLeft(), (TPoint{100 + c.dx, 60 + c.dy})) << c.align;
        EXPECT_EQ(ink.Bottom, 60 + c.dy + size.cy) << c.align;
        EXPECT_NEAR(ink.Right, 100 + c.dx + size.cx, 1) << "a glyph may reach past its advance";
    }
    SetTextAlign(s.dc.Get(), TA_LEFT | TA_TOP | TA_UPDATECP);
    MoveToEx(s.dc.Get(), 5, 5, nullptr);
    TextOutA(s.dc.Get(), 0, 0, "Ref", 3);
    TPoint cp;
    GetCurrentPositionEx(s.dc.Get(), &cp);
    EXPECT_EQ(cp, (TPoint{5 + size.cx, 5}));
}

TEST_F(TextTest, ExtTextOutOpaqueClippedAndSpaced) {
    TRect r{10, 10, 40, 30};
    SetBkColor(s.dc.Get(), RGB(255, 0, 0));
    ExtTextOutA(s.dc.Get(), 12, 12, ETO_OPAQUE | ETO_CLIPPED, &r, "Wide text", 9, nullptr);
    EXPECT_EQ(Ink(), r) << "the rectangle is filled and nothing leaves it";
    s.Fill(0xFFFFFF);
    const int dx[] = {30, 30};
    ExtTextOutA(s.dc.Get(), 0, 0, 0, nullptr, "ii", 2, dx);
    const TRect spaced = Ink();
    EXPECT_GE(spaced.Width(), 30) << "the second glyph starts 30 pixels on";
}

TEST_F(TextTest, UnderlinedAndStruckOutFonts) {
    LOGFONTA lf;
    std::strcpy(lf.lfFaceName, "DejaVu Sans");
    lf.lfHeight = -20;
    TextOutA(s.dc.Get(), 10, 10, "ace", 3);
    const TRect plain = Ink();
    for (auto [underline, strike] : {std::pair{1, 0}, {0, 1}}) {
        lf.lfUnderline = Byte(underline);
        lf.lfStrikeOut = Byte(strike);
        UniqueFont f(CreateFontIndirectA(&lf));
        SelectGuard g(s.dc.Get(), f.Get());
        s.Fill(0xFFFFFF);
        TextOutA(s.dc.Get(), 10, 10, "ace", 3);
        const TRect ink = Ink();
        int lineRow = -1;
        for (int y = ink.Top; y < ink.Bottom && lineRow < 0; ++y) {
            int dark = 0;
            for (int x = plain.Left; x < plain.Right; ++x)
                dark += s.At(x, y) != 0xFFFFFF;
            if (dark >= plain.Width() - 2) lineRow = y;
        }
        ASSERT_GE(lineRow, 0) << (underline ? "underline" : "strike-out") << " runs along the word";
        if (underline)
            EXPECT_GE(lineRow, plain.Bottom - 1);
        else
            EXPECT_TRUE(lineRow > plain.Top && lineRow < plain.Bottom - 1);
    }
}

TEST_F(TextTest, ClippedToTheRectangle) {
    TRect r{10, 10, 30, 20};
    DrawTextA(s.dc.Get(), "Clipped text", -1, &r, DT_SINGLELINE);
    const TRect ink = Ink();
    EXPECT_GE(ink.Left, 10);
    EXPECT_LE(ink.Right, 30);
    EXPECT_LE(ink.Bottom, 20);
}

TEST_F(TextTest, Utf8InMalformedBytesDoNotStopIt) {
    DejaVuFile file;
    ASSERT_GT(file.CodePointWidth(0xE9, 20), 0);
    EXPECT_EQ(Extent("\xC3\xA9"), file.CodePointWidth(0xE9, 20)) << "two bytes, one e-acute glyph";
    TextOutA(s.dc.Get(), 10, 10, "e", 1);
    const TRect plainE = Ink();
    s.Fill(0xFFFFFF);
    TextOutA(s.dc.Get(), 10, 10, "\xC3\xA9", 2);
    EXPECT_LT(Ink().Top, plainE.Top) << "the accent is drawn above the e";
    EXPECT_GT(Extent("a\xC3"), Extent("a")) << "a cut sequence shows a replacement glyph";
    EXPECT_NE(Extent("\xE2\x82\xAC"), Extent("\xE2\x82")) << "one euro sign, not two bad bytes";
}

TEST_F(TextTest, FacesByNameStyleAndSize) {
    char name[64];
    UniqueFont arial = MakeFont("Arial", -12);
    SelectObject(s.dc.Get(), arial.Get());
    GetTextFaceA(s.dc.Get(), sizeof name, name);
    EXPECT_STREQ(name, "Liberation Sans") << "metric-compatible face";
    const int regular = Extent("Bold text");
    UniqueFont bold = MakeFont("Arial", -12, FW_BOLD);
    SelectObject(s.dc.Get(), bold.Get());
    EXPECT_GT(Extent("Bold text"), regular);
    UniqueFont unknown = MakeFont("No Such Face 123", -12);
    SelectObject(s.dc.Get(), unknown.Get());
    EXPECT_GT(Extent("x"), 0) << "falls back to some face";
    SelectObject(s.dc.Get(), font.Get());
}

} // namespace
} // namespace vd

namespace vd {
namespace {

// Columns of a list box line: runs between tabs start at the stops, measured and drawn alike.
TEST(TabbedText, TabsMoveToTheStops) {
    Surface s(200, 30);
    s.Fill(0);
    UniqueFont font = MakeFont("DejaVu Sans", -14);
    SelectGuard g(s.dc.Get(), font.Get());
    SetTextColor(s.dc.Get(), RGB(255, 255, 255));
    SetBkMode(s.dc.Get(), TRANSPARENT);
    HDC dc = s.dc.Get();
    const int wB = TextExtent(dc, "B").cx, wZ = TextExtent(dc, "Z").cx, h = TextExtent(dc, "B").cy;
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(dc, &tm));
    const int stops[] = {40, 90};
    const struct {
        const char* Text;
        int TabCount;
        const int* Stops;
        int Width;
    } cases[] = {
        {"A\tB", 1, stops, 40 + wB},                      // every 40 pixels
        {"A\t\tB", 1, stops, 80 + wB},                    // two tabs, two steps
        {"A\tB\tZ", 2, stops, 90 + wZ},                   // at the given stops
        {"A\tB", 0, nullptr, 8 * tm.tmAveCharWidth + wB}, // the default step
        {"", 2, stops, 0},
    };
    for (const auto& c : cases) {
        const DWord e = GetTabbedTextExtentA(dc, c.Text, int(std::strlen(c.Text)), c.TabCount, c.Stops);
        EXPECT_EQ(int(e & 0xFFFF), c.Width) << c.Text;
        EXPECT_EQ(int(e >> 16), h) << c.Text;
    }
    // Drawn from x 10 with the tab origin at 10: "B" starts at 50, nothing in the gap before it.
    const long drawn = TabbedTextOutA(dc, 10, 5, "i\tB", 3, 1, stops, 10);
    EXPECT_EQ(int(drawn & 0xFFFF), 40 + wB);
    int firstLit = -1;
    for (int x = 20; x < 200 && firstLit < 0; ++x)
        for (int y = 0; y < 30; ++y)
            if (s.At(x, y) != 0) {
                firstLit = x;
                break;
            }
    EXPECT_GE(firstLit, 50);
    EXPECT_LE(firstLit, 52) << "the run after the tab starts at the stop";
}

} // namespace
} // namespace vd
