#include "Surface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace vd {
namespace {

// Faces and glyphs are cached process-wide: threads that paint their own surfaces with one
// shared font must neither race nor see different pictures.
TEST(TextThreads, SharedFontOnSeparateSurfaces) {
    LOGFONTA lf;
    std::strcpy(lf.lfFaceName, "DejaVu Sans");
    lf.lfHeight = -13;
    UniqueFont font(CreateFontIndirectA(&lf));
    auto paint = [&](test::Surface& s, int seed) {
        s.Fill(0xFFFFFF);
        SelectObject(s.dc.Get(), font.Get());
        SetBkMode(s.dc.Get(), TRANSPARENT);
        for (int i = 0; i < 40; ++i) {
            const std::string t = "Caption " + std::to_string((seed + i) % 40) + " \xC3\xA9";
            TRect r{0, (i % 10) * 16, 160, (i % 10) * 16 + 16};
            DrawTextA(s.dc.Get(), t.c_str(), -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS);
        }
        SelectObject(s.dc.Get(), GetStockObject(SYSTEM_FONT));
    };
    std::vector<std::unique_ptr<test::Surface>> surfaces;
    for (int i = 0; i < 4; ++i)
        surfaces.push_back(std::make_unique<test::Surface>(160, 160));
    std::vector<std::thread> threads;
    for (int i = 0; i < 4; ++i)
        threads.emplace_back([&, i] { paint(*surfaces[std::size_t(i)], 0); });
    for (auto& t : threads)
        t.join();
    // The same painting done alone afterwards is what every thread must have drawn.
    test::Surface alone(160, 160);
    paint(alone, 0);
    int ink = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 160; ++x)
            ink += alone.At(x, y) != 0xFFFFFF;
    ASSERT_GT(ink, 160 * 160 / 20) << "the captions were drawn";
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 160; ++x)
                ASSERT_EQ(surfaces[std::size_t(i)]->At(x, y), alone.At(x, y)) << i << " at " << x << "," << y;
}

} // namespace
} // namespace vd
