// Costs of the window system and the class library: a message round trip, and a full repaint
// of a 1280x800 form with 100 windowless children.
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/StdCtrls.h"
#include "platform/win/Windows.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vd;

void BM_SendMessageRoundTrip(benchmark::State& state) {
    WNDCLASS wc;
    wc.lpszClassName = "BenchWnd";
    wc.lpfnWndProc = MakeWndProc([](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER) return static_cast<LRESULT>(w + 1);
        return DefWindowProc(h, m, w, l);
    });
    RegisterClass(wc);
    HWND h = CreateWindowEx(0, "BenchWnd", "", WS_POPUP, 0, 0, 10, 10, nullptr);
    WPARAM v = 0;
    for (auto _ : state)
        v = static_cast<WPARAM>(SendMessage(h, WM_USER, v, 0));
    benchmark::DoNotOptimize(v);
    DestroyWindow(h);
}
BENCHMARK(BM_SendMessageRoundTrip);

void BM_PostAndDispatch(benchmark::State& state) {
    HWND h = CreateWindowEx(0, "BenchWnd", "", WS_POPUP, 0, 0, 10, 10, nullptr);
    for (auto _ : state) {
        PostMessage(h, WM_USER, 1, 0);
        PumpWaitingMessages();
    }
    DestroyWindow(h);
}
BENCHMARK(BM_PostAndDispatch);

void BM_FullRepaint1280x800With100Children(benchmark::State& state) {
    auto* form = new TForm(Application);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 1280, 800);
    for (int i = 0; i < 100; ++i) {
        TGraphicControl* c = (i % 2) ? static_cast<TGraphicControl*>(new TBevel(form)) : new TLabel(form);
        c->SetParent(form);
        c->SetBounds((i % 10) * 120 + 10, (i / 10) * 75 + 10, 110, 60);
        if (auto* l = dynamic_cast<TLabel*>(c)) l->SetCaption("Label " + std::to_string(i));
    }
    form->Show();
    Application->ProcessMessages();
    for (auto _ : state) {
        InvalidateRect(form->Handle(), nullptr, TRUE);
        UpdateWindow(form->Handle());
    }
    form->Free();
}
BENCHMARK(BM_FullRepaint1280x800With100Children)->Unit(benchmark::kMillisecond);

} // namespace
