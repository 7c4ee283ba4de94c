// Composing a 1920 x 1080 image view's back buffer from an image that fills it, at zoom 100
// (whole rows copied) and 50 (14-bit fixed-point sampling of a 3840 x 2160 image).
#include "Form.hpp"
#include "ImageView.hpp"

#include <benchmark/benchmark.h>

namespace {

TBitmap Noise(int w, int h) {
    TBitmap b(w, h, pf24bit);
    uint32_t state = 12345;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = b.ScanLine(y);
        for (int i = 0; i < w * 3; ++i) {
            state = state * 1664525u + 1013904223u;
            row[i] = static_cast<uint8_t>(state >> 24);
        }
    }
    return b;
}

void BM_ComposeView1920x1080(benchmark::State& state) {
    double zoom = static_cast<double>(state.range(0));
    TForm form(nullptr);
    form.SetClientSize(1920, 1080);
    TImageView view(&form);
    view.SetParent(&form);
    view.SetBorderStyle(bsNone);
    view.SetBounds(0, 0, 1920, 1080);
    view.Assign(Noise(static_cast<int>(1920 * 100 / zoom), static_cast<int>(1080 * 100 / zoom)));
    view.SetZoom(zoom);
    TBitmap buffer(view.GetClientWidth(), view.GetClientHeight(), pf24bit);
    for (auto _ : state) {
        view.PaintToEx(buffer);
        benchmark::DoNotOptimize(buffer.Bits());
    }
    state.SetItemsProcessed(state.iterations() * 1920 * 1080);
    state.SetLabel("zoom " + std::to_string(state.range(0)));
}
BENCHMARK(BM_ComposeView1920x1080)->Arg(100)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace
