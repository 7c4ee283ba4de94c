#include <gtest/gtest.h>

#include <vector>

#include "InterpCatmullRom.hpp"
#include "InterpLinear.hpp"
#include "RunFailure.hpp"

namespace {

struct LineCase {
    const char* name;
    std::vector<double> xs;
    std::vector<double> ys;
    std::vector<double> positions;
    std::vector<double> expected; // compared exactly
};

std::vector<double> Range(int first, int last) {
    std::vector<double> values;
    for (int p = first; p <= last; ++p) {
        values.push_back(p);
    }
    return values;
}

std::vector<double> RunLinear(const LineCase& c) {
    std::vector<double> out(c.positions.size(), -1.0);
    InterpLinear(c.xs.data(), c.ys.data(), static_cast<int32_t>(c.xs.size()), c.positions.data(),
                 out.data(), static_cast<int32_t>(out.size()));
    return out;
}

TEST(InterpLinear, FollowsTheLaggingSegment) {
    const LineCase cases[] = {
        // At position 1 the segment has only moved onto the first one and extrapolates it.
        {"lagging",
         {0, 0.5, 4},
         {0, 10, 20},
         Range(0, 4),
         {0, 20, 10 + 10 * (1.5 / 3.5), 10 + 10 * (2.5 / 3.5), 20}},
        // The quotient is formed first: 13/45 * 45 misses 13 in the last bit.
        {"quotient first", {0, 45}, {0, 45}, {13}, {12.999999999999998}},
        // Past the last node the last segment extrapolates instead of reading beyond it.
        {"past the end", {0, 1, 2}, {0, 10, 30}, Range(0, 3), {0, 10, 30, 50}},
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(RunLinear(c), c.expected) << c.name;
    }
    EXPECT_NEAR(RunLinear(cases[0])[2], 14.2857142857, 1e-9);
    EXPECT_NEAR(RunLinear(cases[0])[3], 17.1428571429, 1e-9);
}

TEST(InterpLinear, FailsOnAZeroLengthSegment) {
    const LineCase c{"shared height", {0, 5, 5, 10}, {0, 1, 2, 3}, Range(0, 10), {}};
    EXPECT_THROW(RunLinear(c), RunFailure);
}

TEST(InterpCatmullRom, EvaluatesHermiteCubics) {
    const LineCase cases[] = {
        // One-sided end slopes: 0.75 at position 1 where x^2 / 2 gives 0.5.
        {"rising", {0, 2, 4, 6}, {0, 2, 8, 18}, Range(0, 6), {0, 0.75, 2, 4.5, 8, 12.75, 18}},
        // Falling nodes keep the first interval's cubic for the whole line.
        {"falling", {0, -1, 4, 6}, {0, 2, 8, 18}, Range(0, 6), {0, 6, 44, 138, 312, 590, 996}},
        // Linear data stays linear on equal intervals.
        {"linear data", {0, 4, 8}, {0, 4, 8}, Range(0, 8), Range(0, 8)},
    };
    for (const LineCase& c : cases) {
        std::vector<double> out(c.positions.size(), -1.0);
        ASSERT_TRUE(InterpCatmullRom(c.xs.data(), c.ys.data(), static_cast<int32_t>(c.xs.size()),
                                     c.positions.data(), out.data(),
                                     static_cast<int32_t>(out.size())))
            << c.name;
        EXPECT_EQ(out, c.expected) << c.name;
    }
}

// A new interval that starts exactly at the last node is served by the last real interval,
// as happens when the last inner node lies within a pixel of the border.
TEST(InterpCatmullRom, PositionAtTheLastNodeUsesTheLastInterval) {
    const std::vector<double> xs{0, 4, 9.5, 10};
    const std::vector<double> positions = Range(0, 10);
    std::vector<double> out(positions.size(), -1.0);
    ASSERT_TRUE(InterpCatmullRom(xs.data(), xs.data(), 4, positions.data(), out.data(), 11));
    for (int p = 0; p <= 10; ++p) {
        EXPECT_NEAR(out[p], p, 1e-12) << p;
    }
    EXPECT_EQ(out[10], 10.0);
}

TEST(InterpCatmullRom, RefusesPositionsOutsideTheNodesAndWritesNothing) {
    struct Case {
        std::vector<double> xs;
        std::vector<double> positions;
    };
    const Case cases[] = {
        {{0, 2, 4, 6}, Range(-1, 5)}, // rising, starts below the first node
        {{0, 2, 4, 6}, Range(0, 7)},  // rising, ends above the last node
        {{0, -1, 4, 6}, Range(1, 6)}, // falling, starts above the first node
        {{0, -1, 4, 6}, Range(0, 5)}, // falling, ends below the last node
    };
    const std::vector<double> ys{0, 2, 8, 18};
    for (const Case& c : cases) {
        std::vector<double> out(c.positions.size(), -7.0);
        EXPECT_FALSE(InterpCatmullRom(c.xs.data(), ys.data(), 4, c.positions.data(), out.data(),
                                      static_cast<int32_t>(out.size())));
        EXPECT_EQ(out, std::vector<double>(out.size(), -7.0));
    }
}

// Only an interval in use counts: a node on the first one leaves it zero wide.
TEST(InterpCatmullRom, FailsWhenTheIntervalInUseHasNoWidth) {
    const std::vector<double> xs{0, 0, 5, 10};
    const std::vector<double> ys{0, 1, 2, 3};
    const std::vector<double> positions = Range(0, 10);
    std::vector<double> out(positions.size());
    EXPECT_THROW(InterpCatmullRom(xs.data(), ys.data(), 4, positions.data(), out.data(), 11),
                 RunFailure);
}

} // namespace
