// The fold check the editor runs on each drop of a mesh node: a 100 x 100 mesh
// (the largest) with every node shaken a little, so some segments fold.
#include "MeshFolds.hpp"
#include "Point.hpp"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

void BM_MeshFoldCheck100x100(benchmark::State& state) {
    constexpr int kSide = 102, kLines = 100, kSpacing = 20;
    std::vector<Point> mesh(kSide * kSide);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> shake(-12, 12);
    for (int k = 0; k < kSide; ++k)
        for (int r = 0; r < kSide; ++r)
            mesh[k * kSide + r] = Point{k * kSpacing + shake(random), r * kSpacing + shake(random)};
    std::vector<MeshSegment> folds;
    for (auto _ : state) {
        folds.clear();
        FindFolds(
            kLines, kLines, [&](int k, int r) { return mesh[k * kSide + r].x; },
            [&](int k, int r) { return mesh[k * kSide + r].y; }, folds);
        benchmark::DoNotOptimize(folds.data());
    }
    state.counters["folds"] = static_cast<double>(folds.size());
}
BENCHMARK(BM_MeshFoldCheck100x100)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace
