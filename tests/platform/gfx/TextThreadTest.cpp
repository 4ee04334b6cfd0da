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
    for (int i = 1; i < 4; ++i)
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 160; ++x)
                ASSERT_EQ(surfaces[std::size_t(i)]->At(x, y), surfaces[0]->At(x, y));
}

} // namespace
} // namespace vd
