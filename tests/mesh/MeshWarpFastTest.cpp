#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ImageCompare.hpp"
#include "MeshWarp2Pass.hpp"
#include "MeshWarp2PassFast.hpp"
#include "Resample1D.hpp"
#include "ResamplePixelLine.hpp"
#include "RunFailure.hpp"
#include "TestImages.hpp"
#include "TestSchedules.hpp"

namespace {

constexpr uint8_t kUnwritten = 0x5A;

// A mesh of cols x rows nodes over a width x height image, pinned to the border, its inner
// nodes spread evenly and moved by up to jitter pixels each way (fractions included). A
// jitter above the spacing folds the mesh; a large one drags nodes outside the image.
MeshGrid RandomMesh(int32_t width, int32_t height, int32_t cols, int32_t rows, double jitter,
                    uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> shift(-jitter, jitter);
    MeshGrid mesh(cols, rows);
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t k = 0; k < cols; ++k) {
            const bool inner = k > 0 && k < cols - 1 && r > 0 && r < rows - 1;
            mesh.X(r, k) = k * (width - 1.0) / (cols - 1) + (inner ? shift(random) : 0.0);
            mesh.Y(r, k) = r * (height - 1.0) / (rows - 1) + (inner ? shift(random) : 0.0);
        }
    }
    return mesh;
}

// The outcome of one warp: the failure's text, or empty for none.
template <class Warp> std::string Outcome(Warp&& warp) {
    try {
        warp();
    } catch (const RunFailure& failure) {
        return failure.what();
    }
    return "";
}

struct WarpCase {
    int32_t width;
    int32_t height;
    int32_t cols;
    int32_t rows;
    double jitter;
};

// The fast warp writes the reference's bytes, or fails with the reference's failure, for
// every size, mesh and schedule: one pixel, one row or column, every row padding, widths and
// heights that are no multiple of the column chunk, folded meshes and nodes far outside.
TEST(MeshWarp2PassFast, MatchesTheReferenceByteForByte) {
    const WarpCase cases[] = {
        {1, 1, 2, 2, 0},    {1, 9, 2, 3, 0},     {9, 1, 3, 2, 0},       {2, 3, 2, 2, 0.3},
        {7, 5, 3, 3, 1.0},  {5, 4, 3, 3, 0.7},   {6, 3, 3, 2, 0.5},     {3, 6, 2, 4, 0.5},
        {65, 3, 5, 2, 2.0}, {130, 67, 10, 6, 3}, {200, 150, 18, 14, 3}, {41, 31, 6, 4, 12},
        {33, 17, 4, 4, 40}, {97, 5, 30, 3, 1.5},
    };
    int failures = 0;
    for (const WarpCase& c : cases) {
        for (uint32_t seed = 1; seed <= 3; ++seed) {
            const MeshGrid srcMesh = RandomMesh(c.width, c.height, c.cols, c.rows, c.jitter, seed);
            const MeshGrid dstMesh =
                RandomMesh(c.width, c.height, c.cols, c.rows, c.jitter, seed + 100);
            OwnedImage src(c.width, c.height);
            src.FillRandom(seed);
            for (const bool linear : {true, false}) {
                const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) +
                                         " mesh " + std::to_string(c.cols) + "x" +
                                         std::to_string(c.rows) + " seed " + std::to_string(seed) +
                                         (linear ? " linear" : " spline");
                OwnedImage expected(c.width, c.height, kUnwritten);
                const std::string expectedFailure = Outcome(
                    [&] { MeshWarp2Pass(src.image, expected.image, srcMesh, dstMesh, linear); });
                failures += expectedFailure.empty() ? 0 : 1;
                for (const NamedSchedule& s : TestSchedules()) {
                    OwnedImage actual(c.width, c.height, kUnwritten);
                    const std::string failure = Outcome([&] {
                        MeshWarp2PassFast(src.image, actual.image, srcMesh, dstMesh, linear,
                                          s.schedule);
                    });
                    ASSERT_EQ(failure, expectedFailure) << name << ", " << s.name;
                    if (failure.empty()) {
                        ASSERT_EQ(FirstDifference(expected, actual), "") << name << ", " << s.name;
                    }
                }
            }
        }
    }
    // The table exercises both outcomes.
    EXPECT_GT(failures, 0);
}

TEST(MeshWarp2PassFast, RejectsMismatchedInputs) {
    OwnedImage small(4, 4);
    OwnedImage wide(5, 4);
    const MeshGrid mesh = RandomMesh(4, 4, 3, 3, 0, 1);
    const MeshGrid other = RandomMesh(4, 4, 4, 3, 0, 1);
    EXPECT_THROW(MeshWarp2PassFast(small.image, wide.image, mesh, mesh, true),
                 std::invalid_argument);
    EXPECT_THROW(MeshWarp2PassFast(small.image, small.image, mesh, other, true),
                 std::invalid_argument);
}

struct LineCase {
    const char* name;
    int32_t length;
    double scale;  // map[k] = scale * k + wobble
    double wobble; // amplitude of a random offset per sample; large ones fold the map
    bool flat;     // the map starts flat, which the inverse map meets at once
};

// Resampling the three bytes of a pixel line at once gives each byte what Resample1D gives it
// alone, along a row and up the bottom-up memory, and fails where it fails.
TEST(ResamplePixelLine, MatchesResample1DPerByte) {
    const LineCase cases[] = {
        {"one pixel", 1, 1.0, 0.0, false}, {"two pixels", 2, 1.0, 0.0, false},
        {"identity", 7, 1.0, 0.0, false},  {"stretch", 64, 1.7, 0.2, false},
        {"shrink", 301, 0.6, 0.3, false},  {"wobble", 97, 1.0, 0.45, false},
        {"folded", 50, 1.0, 3.0, false},   {"flat stretch", 20, 1.0, 0.0, true},
    };
    for (const LineCase& c : cases) {
        std::mt19937 random(static_cast<uint32_t>(c.length));
        std::uniform_real_distribution<double> offset(-c.wobble, c.wobble);
        std::vector<double> map(static_cast<std::size_t>(c.length) + 1);
        for (int32_t k = 0; k < c.length; ++k) {
            map[k] = c.scale * k + offset(random);
        }
        if (c.flat) {
            map[1] = map[0];
        }
        map[c.length] = c.length;
        for (const std::ptrdiff_t step : {std::ptrdiff_t{3}, std::ptrdiff_t{-12}}) {
            const std::ptrdiff_t span = std::abs(step) * c.length;
            const std::ptrdiff_t start = step < 0 ? span - std::abs(step) : 0;
            std::vector<uint8_t> src(static_cast<std::size_t>(span));
            for (uint8_t& byte : src) {
                byte = static_cast<uint8_t>(random());
            }
            std::vector<uint8_t> expected(src.size(), kUnwritten);
            const std::string expectedFailure = Outcome([&] {
                for (int32_t b = 0; b < 3; ++b) {
                    Resample1D(src.data() + start + b, expected.data() + start + b, c.length, step,
                               map.data());
                }
            });
            for (const NamedSchedule& s : TestSchedules()) {
                ResampleBuffers buffers(map.size());
                std::vector<uint8_t> actual(src.size(), kUnwritten);
                const std::string failure = Outcome([&] {
                    ResamplePixelLine(src.data() + start, actual.data() + start, c.length, step,
                                      map.data(), buffers, s.schedule);
                });
                ASSERT_EQ(failure, expectedFailure) << c.name << " step " << step << s.name;
                if (failure.empty()) {
                    EXPECT_EQ(actual, expected) << c.name << " step " << step << s.name;
                }
            }
        }
        EXPECT_EQ(c.flat, !Outcome([&] {
                               std::vector<uint8_t> line(3 * c.length);
                               std::vector<uint8_t> out(line.size());
                               ResampleBuffers buffers(map.size());
                               ResamplePixelLine(line.data(), out.data(), c.length, 3, map.data(),
                                                 buffers);
                           }).empty())
            << c.name;
    }
}

} // namespace
