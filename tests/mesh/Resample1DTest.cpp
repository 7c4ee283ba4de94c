#include <gtest/gtest.h>

#include <vector>

#include "Resample1D.hpp"
#include "RunFailure.hpp"

namespace {

struct ResampleCase {
    const char* name;
    std::vector<uint8_t> samples;
    std::vector<double> map; // length values; map[length] = length is added
    std::vector<uint8_t> expected;
};

// Resamples a line laid out with the given step (3: along a row, negative: up the bottom-up
// memory) inside a guarded buffer; checks that nothing outside the line's bytes is written.
std::vector<uint8_t> Resample(const ResampleCase& c, std::ptrdiff_t step) {
    const std::ptrdiff_t length = static_cast<std::ptrdiff_t>(c.samples.size());
    const std::ptrdiff_t span = (length - 1) * (step < 0 ? -step : step) + 1;
    const std::ptrdiff_t guard = 8;
    const std::ptrdiff_t start = guard + (step < 0 ? span - 1 : 0);
    std::vector<uint8_t> src(span + 2 * guard, 0xEE);
    std::vector<uint8_t> dst(span + 2 * guard, 0xEE);
    for (std::ptrdiff_t k = 0; k < length; ++k) {
        src[start + k * step] = c.samples[k];
    }
    std::vector<double> map = c.map;
    map.push_back(static_cast<double>(length));
    Resample1D(src.data() + start, dst.data() + start, static_cast<int32_t>(length), step,
               map.data());
    std::vector<uint8_t> out;
    for (std::ptrdiff_t k = 0; k < length; ++k) {
        out.push_back(dst[start + k * step]);
        dst[start + k * step] = 0xEE;
    }
    EXPECT_EQ(dst, std::vector<uint8_t>(dst.size(), 0xEE)) << c.name << " wrote outside";
    return out;
}

TEST(Resample1D, WritesEveryOutputSample) {
    const ResampleCase cases[] = {
        {"identity",
         {3, 250, 17, 0, 255, 99, 42},
         {0, 1, 2, 3, 4, 5, 6},
         {3, 250, 17, 0, 255, 99, 42}},
        // Each output is the blend of two samples; the last takes the rest of the line,
        // (35 * 0.5 + 40 + 50 + 60) / 3.5 = 47.86.
        {"stretch by two", {10, 20, 30, 40, 50, 60}, {0, 2, 4, 6, 8, 10}, {10, 15, 20, 25, 30, 47}},
        // Two samples per output while the map lasts; its jump to the end stretches the last.
        {"squeeze",
         {10, 30, 50, 70, 90, 110},
         {0, 0.5, 1, 1.5, 2, 2.5},
         {20, 60, 92, 110, 110, 110}},
        // A folded map drives the accumulator negative, which stores 0.
        {"folded", {40, 200, 40, 0, 100}, {4, 5, 0, 2, 3}, {40, 0, 0, 0, 76}},
        {"one sample", {77}, {0}, {77}},
        {"two samples", {8, 200}, {0, 1}, {8, 200}},
    };
    for (const ResampleCase& c : cases) {
        for (std::ptrdiff_t step : {std::ptrdiff_t{1}, std::ptrdiff_t{3}, std::ptrdiff_t{-12}}) {
            EXPECT_EQ(Resample(c, step), c.expected) << c.name << " step " << step;
        }
    }
}

TEST(Resample1D, FailsOnZeroDivisors) {
    const ResampleCase cases[] = {
        {"flat map", {1, 2, 3, 4}, {0, 0, 2, 3}, {}},
        {"output of no extent", {1, 2, 3, 4}, {1, 2, 3, 3.5}, {}},
    };
    for (const ResampleCase& c : cases) {
        EXPECT_THROW(Resample(c, 1), RunFailure) << c.name;
    }
}

TEST(ResampledByte, ClampsAndTruncates) {
    struct Case {
        double acc;
        uint8_t expected;
    };
    const Case cases[] = {{255.0, 255}, {300.0, 255}, {254.99, 254}, {1.0, 1},
                          {0.7, 0},     {-0.0, 0},    {-3.2, 0},     {-200.0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(ResampledByte(c.acc), c.expected) << c.acc;
    }
}

} // namespace
