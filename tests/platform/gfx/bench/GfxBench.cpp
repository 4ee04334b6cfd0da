// A full main-window repaint: a 1280 x 800 surface composed from a dozen skin-like bitmaps,
// 200 short captions on top, then the whole surface blitted to the window's surface.
#include "platform/gfx/Gdi.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace vd;

struct Scene {
    UniqueDC window{CreateCompatibleDC(nullptr)};
    UniqueBitmap windowBmp{CreateBitmap(1280, 800, 1, 24, nullptr)};
    UniqueDC back{CreateCompatibleDC(nullptr)};
    UniqueBitmap backBmp{CreateBitmap(1280, 800, 1, 24, nullptr)};
    UniqueDC pics{CreateCompatibleDC(nullptr)};
    UniqueBitmap picsBmp{CreateBitmap(400, 300, 1, 24, nullptr)};
    UniqueFont font;
    std::vector<std::string> captions;

    Scene() {
        SelectObject(window.Get(), windowBmp.Get());
        SelectObject(back.Get(), backBmp.Get());
        SelectObject(pics.Get(), picsBmp.Get());
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x)
                picsBmp->SetPixelBgr(x, y, DWord(x * 7 ^ y * 13) & 0xFFFFFF);
        LOGFONTA lf;
        std::strcpy(lf.lfFaceName, "Tahoma");
        lf.lfHeight = -11;
        font.Reset(CreateFontIndirectA(&lf));
        SelectObject(back.Get(), font.Get());
        SetBkMode(back.Get(), TRANSPARENT);
        for (int i = 0; i < 200; ++i)
            captions.push_back("Stream " + std::to_string(i) + " online");
    }

    void Paint() {
        HDC dc = back.Get();
        // Frame, client and panels: 1:1 copies, stretched bands, a tiled strip.
        StretchBlt(dc, 0, 0, 1280, 30, pics.Get(), 0, 0, 100, 30, SRCCOPY);
        StretchBlt(dc, 0, 30, 8, 762, pics.Get(), 0, 30, 8, 50, SRCCOPY);
        StretchBlt(dc, 1272, 30, 8, 762, pics.Get(), 392, 30, 8, 50, SRCCOPY);
        StretchBlt(dc, 0, 792, 1280, 8, pics.Get(), 0, 292, 100, 8, SRCCOPY);
        for (int x = 8; x < 1272; x += 200)
            BitBlt(dc, x, 30, 200, 250, pics.Get(), 0, 40, SRCCOPY);
        BitBlt(dc, 8, 280, 1264, 300, pics.Get(), 0, 0, SRCCOPY);
        StretchBlt(dc, 8, 580, 1264, 212, pics.Get(), 0, 0, 400, 300, SRCCOPY);
        TransparentBlt(dc, 1200, 4, 22, 22, pics.Get(), 10, 10, 22, 22, RGB(255, 0, 255));
        TransparentBlt(dc, 1230, 4, 22, 22, pics.Get(), 40, 10, 22, 22, RGB(255, 0, 255));
        // Grid rows and labels.
        for (int i = 0; i < 200; ++i) {
            TRect r{8 + (i % 4) * 316, 40 + (i / 4) * 15, 8 + (i % 4) * 316 + 300, 40 + (i / 4) * 15 + 15};
            DrawTextA(dc, captions[std::size_t(i)].c_str(), -1, &r,
                      DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        }
        BitBlt(window.Get(), 0, 0, 1280, 800, dc, 0, 0, SRCCOPY);
    }
};

void BM_MainWindowRepaint(benchmark::State& state) {
    Scene scene;
    scene.Paint(); // glyphs cached, as after the first paint
    for (auto _ : state)
        scene.Paint();
    state.SetLabel("1280x800, 12 bitmaps, 200 captions");
}
BENCHMARK(BM_MainWindowRepaint)->Unit(benchmark::kMillisecond);

void BM_Captions200(benchmark::State& state) {
    Scene scene;
    scene.Paint();
    for (auto _ : state)
        for (int i = 0; i < 200; ++i) {
            TRect r{8, 40, 308, 55};
            DrawTextA(scene.back.Get(), scene.captions[std::size_t(i)].c_str(), -1, &r,
                      DT_SINGLELINE | DT_VCENTER);
        }
}
BENCHMARK(BM_Captions200)->Unit(benchmark::kMillisecond);

// A window region from a mask scan: 10,000 one-pixel-high runs, as the mask scanner makes them.
void BM_RegionFromMaskRuns(benchmark::State& state) {
    std::vector<Byte> data(32 + 16 * 10000);
    RGNDATAHEADER h;
    h.nCount = 10000;
    h.rcBound = {0, 0, 1280, 800};
    std::memcpy(data.data(), &h, sizeof h);
    for (int i = 0; i < 10000; ++i) {
        const int y = i / 25, x = (i % 25) * 50 + (y % 7);
        const TRect r{x, y, x + 30, y + 1};
        std::memcpy(data.data() + 32 + 16 * i, &r, sizeof r);
    }
    for (auto _ : state) {
        UniqueRegion rgn(
            ExtCreateRegion(nullptr, DWord(data.size()), reinterpret_cast<RGNDATA*>(data.data())));
        benchmark::DoNotOptimize(rgn.Get());
    }
}
BENCHMARK(BM_RegionFromMaskRuns)->Unit(benchmark::kMillisecond);

} // namespace
