// 200 frames of 640 x 480 through the multi-image view's temporary store: storing them, and
// playing them once in a shown window on the headless backend (its clock skips the delays, so
// the figure is the cost of the steps: mapping, copying, scaling and presenting each frame).
#include "Application.hpp"
#include "Form.hpp"
#include "MultiView.hpp"
#include "backends/headless/HeadlessBackend.hpp"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kFrames = 200;

TApplication& App() {
    static TApplication app(std::make_unique<HeadlessBackend>());
    return app;
}

TBitmap Frame(int i) {
    TBitmap b(640, 480, pf24bit);
    b.Canvas().Brush.Color = RGB(i, 255 - i, 128);
    b.Canvas().FillRect({0, 0, 640, 480});
    return b;
}

void Fill(TMultiView& view) {
    for (int i = 0; i < kFrames; ++i) {
        int index = view.AppendImage();
        view.SetImage(index, Frame(i));
        view.SetImageDelayTime(index, 40);
    }
}

void BM_StoreFrames200x640x480(benchmark::State& state) {
    TBitmap frame = Frame(7);
    for (auto _ : state) {
        TMultiView view(nullptr);
        for (int i = 0; i < kFrames; ++i)
            view.SetImage(view.AppendImage(), frame);
        benchmark::DoNotOptimize(view.GetImageCount());
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
}
BENCHMARK(BM_StoreFrames200x640x480)->Unit(benchmark::kMillisecond);

void BM_PlayFrames200x640x480(benchmark::State& state) {
    App();
    TForm form(nullptr);
    form.SetClientSize(648, 488);
    TMultiView view(&form);
    view.SetParent(&form);
    view.SetBorderStyle(bsNone);
    view.SetBounds(4, 4, 640, 480);
    view.SetDisplayMode(mdSingle);
    view.SetThumbWidth(640);
    view.SetThumbHeight(480);
    view.LoopPlayback = false;
    Fill(view);
    int drawn = 0;
    view.OnImageDraw = [&](TObject*, int, int, int, TCanvas&) { drawn += view.Playing(); };
    for (auto _ : state) {
        // One step starts playback; the loop then runs until the last frame stops it and,
        // with no input left, the window closes.
        struct Start : TInputScript {
            TMultiView* view;
            bool done = false;
            bool Step() override {
                if (done)
                    return false;
                done = true;
                view->SetVisibleFrame(0);
                view->SetPlaying(true);
                return true;
            }
        };
        auto script = std::make_unique<Start>();
        script->view = &view;
        App().SetScript(std::move(script));
        form.ShowModal();
    }
    state.SetItemsProcessed(state.iterations() * kFrames);
    state.counters["draws_per_play"] =
        benchmark::Counter(static_cast<double>(drawn) / state.iterations());
}
BENCHMARK(BM_PlayFrames200x640x480)->Unit(benchmark::kMillisecond);

} // namespace
