#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "FieldLine.hpp"
#include "FieldLineSet.hpp"

namespace {

constexpr int32_t kFar = (1 << 30) - 1; // the largest coordinate magnitude lines may carry

struct LineCase {
    const char* name;
    Point start;
    Point end;
    int32_t maxY;
    double scale;
    FieldLine expected; // len is checked as sqrt(lenSq)
};

TEST(FieldLineFromPoints, ScalesFlipsAndNudges) {
    const LineCase cases[] = {
        {"flip", {10, 20}, {30, 20}, 99, 1.0, {10, 79, 30, 79, 20, 0, 400, 0}},
        {"scale truncates", {101, 0}, {3, 99}, 99, 0.5, {50, 49, 1, 0, -49, -49, 4802, 0}},
        // A click without a drag stores two equal points: the line gets one pixel of length.
        {"nudge", {7, 7}, {7, 7}, 9, 1.0, {7, 2, 8, 3, 1, 1, 2, 0}},
        {"negative towards zero", {-3, 12}, {5, 12}, 9, 0.5, {-1, -1, 2, -1, 3, 0, 9, 0}},
        // The squared length exceeds 32 bits.
        {"far",
         {-kFar, 0},
         {kFar, -kFar},
         0,
         1.0,
         {-kFar, 0, kFar, kFar, 2 * kFar, kFar,
          int64_t{2 * kFar} * (2 * kFar) + int64_t{kFar} * kFar, 0}},
    };
    for (const LineCase& c : cases) {
        const FieldLine line = FieldLineFromPoints(c.start, c.end, c.maxY, c.scale);
        const FieldLine& e = c.expected;
        EXPECT_EQ(line.px, e.px) << c.name;
        EXPECT_EQ(line.py, e.py) << c.name;
        EXPECT_EQ(line.qx, e.qx) << c.name;
        EXPECT_EQ(line.qy, e.qy) << c.name;
        EXPECT_EQ(line.dx, e.dx) << c.name;
        EXPECT_EQ(line.dy, e.dy) << c.name;
        EXPECT_EQ(line.lenSq, e.lenSq) << c.name;
        EXPECT_EQ(line.len, std::sqrt(static_cast<double>(e.lenSq))) << c.name;
    }
}

TEST(InterpolateFieldLine, TruncatesEachEndAndMayCollapse) {
    const FieldLine from = FieldLineFromPoints({10, 0}, {20, 0}, 0, 1.0);
    const FieldLine to = FieldLineFromPoints({20, 0}, {10, 0}, 0, 1.0);
    const FieldLine quarter = InterpolateFieldLine(from, to, 0.25);
    EXPECT_EQ(quarter.px, 12); // trunc(12.5)
    EXPECT_EQ(quarter.qx, 17); // trunc(17.5)
    EXPECT_EQ(quarter.lenSq, 25);
    const FieldLine half = InterpolateFieldLine(from, to, 0.5);
    EXPECT_EQ(half.px, 15);
    EXPECT_EQ(half.qx, 15);
    EXPECT_EQ(half.lenSq, 0); // no nudge for interpolated lines
    // Towards zero, -1.5 becomes -1 and meets the other end; flooring would keep them apart.
    const FieldLine merged =
        InterpolateFieldLine(FieldLineFromPoints({-1, 0}, {-2, 0}, 0, 1.0),
                             FieldLineFromPoints({-2, 0}, {0, 0}, 0, 1.0), 0.5);
    EXPECT_EQ(merged.px, -1);
    EXPECT_EQ(merged.qx, -1);
    EXPECT_EQ(merged.lenSq, 0);
}

TEST(BuildFieldLineSets, CutsPolylinesAtBreaks) {
    const Point b{BREAK_MARK, 0};
    // Exactly pointCount entries: nothing past the last point is read.
    const std::vector<Point> src{{0, 0}, {10, 0}, {10, 10}, b, {20, 20}, {30, 20}};
    const std::vector<Point> dst{{1, 0}, {11, 0}, {11, 10}, b, {21, 20}, {31, 20}};
    FieldLineSet srcLines;
    FieldLineSet dstLines;
    BuildFieldLineSets(src.data(), dst.data(), 6, 40, 1.0, srcLines, dstLines);
    ASSERT_EQ(srcLines.count, 3);
    ASSERT_EQ(dstLines.count, 3);
    const int32_t starts[] = {0, 10, 20};
    for (int32_t k = 0; k < 3; ++k) {
        EXPECT_EQ(srcLines.lines[k].px, starts[k]);
        EXPECT_EQ(dstLines.lines[k].px, starts[k] + 1);
    }
    EXPECT_EQ(srcLines.lines[1].qy, 30);

    BuildFieldLineSets(src.data(), dst.data(), 1, 40, 1.0, srcLines, dstLines);
    EXPECT_EQ(srcLines.count, 0);
    std::vector<Point> tooMany(kFieldLineCapacity + 1, Point{0, 0});
    EXPECT_THROW(BuildFieldLineSets(tooMany.data(), tooMany.data(), kFieldLineCapacity + 1, 40, 1.0,
                                    srcLines, dstLines),
                 std::invalid_argument);
}

} // namespace
