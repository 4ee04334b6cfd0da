// Loading a skin of the stored skin's size and composing a nine-part face to 1280 x 800.
#include "skin/core/SkinCompose.h"
#include "skin/core/SkinData.h"

#include "SkinTestUtil.h"

#include <benchmark/benchmark.h>

namespace vd {
namespace {

// About 1.5 MB once inflated: a 198 x 170 main picture and mask, ten 24-bit pictures, 70 control
// records of 25 keys each.
std::unique_ptr<TskCompressedStoredSkin> BigSkin() {
    std::string ini = "[VERSION]\r\nskinname=bench\r\n[PICTURES]\r\npicture=a\r\nmask=m\r\n"
                      "[FORMINFO]\r\nlefttoppoint=8,29\r\nclientrect=5,24,193,165\r\n"
                      "[SKINOBJECTS]\r\ncount=0\r\n[SKINCONTROLS]\r\ncount=70\r\n";
    for (int i = 0; i < 70; ++i)
        ini += std::to_string(i) + "=rec" + std::to_string(i) + ":button\r\n";
    for (int i = 0; i < 70; ++i) {
        ini += "[rec" + std::to_string(i) + "]\r\n";
        for (const char* key : {"skinrect", "activeskinrect", "downskinrect", "disabledskinrect",
                                "clientrect", "animateskinrect", "menumarkerrect", "menumarkeractiverect"})
            ini += std::string(key) + "=10,20,30,40\r\n";
        for (const char* key : {"lefttoppoint", "righttoppoint", "leftbottompoint", "rightbottompoint"})
            ini += std::string(key) + "=3,4\r\n";
        ini += "fontname=Tahoma\r\nfontheight=11\r\nfontstyle=fsbold\r\nfontcolor=0\r\nmorphing=1\r\n"
               "morphkind=mkgradient\r\nframecount=3\r\nleftstretch=1\r\n";
    }
    std::vector<Byte> c;
    test::PutInt32(c, 3);
    auto add = [&](const TskBitmap& b, int bpp) {
        auto img = WriteBmpImage(b, bpp);
        c.insert(c.end(), img.begin(), img.end());
    };
    c.push_back(0);
    add(test::CoordBitmap(198, 170), 24);
    c.push_back(1);
    c.push_back(0);
    add(TskBitmap(198, 170), 1);
    test::PutInt32(c, 10);
    for (int i = 0; i < 10; ++i)
        add(test::CoordBitmap(200, 230, i), 24);
    c.insert(c.end(), ini.begin(), ini.end());
    return test::Stored(c);
}

void BM_LoadSkin(benchmark::State& state) {
    const auto stored = BigSkin();
    std::vector<Byte> inflated;
    stored->UnpackToStream(inflated);
    state.counters["inflated_bytes"] = double(inflated.size());
    TskSkinData skin;
    for (auto _ : state) {
        skin.LoadStoredSkin(stored.get());
        if (skin.Empty()) state.SkipWithError("load failed");
    }
}
BENCHMARK(BM_LoadSkin)->Unit(benchmark::kMillisecond);

void BM_ComposeNineSlice(benchmark::State& state) {
    const TskBitmap src = test::CoordBitmap(198, 170);
    const TRect r{0, 0, 198, 170};
    const TskSkinCorners old{{8, 29}, {190, 29}, {8, 158}, {190, 158}, {5, 24, 193, 165}};
    const TskSkinCorners neu = FitSkinCorners(old, r, 1280, 800);
    const bool tiled = state.range(0) == 0;
    TskBitmap dest;
    for (auto _ : state) {
        ComposeSkinPicture(old, neu, dest, src, r, 1280, 800, true, {!tiled, !tiled, !tiled, !tiled}, !tiled);
        benchmark::DoNotOptimize(dest.Row(0));
    }
}
BENCHMARK(BM_ComposeNineSlice)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vd
