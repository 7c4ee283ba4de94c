#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FieldWarp.hpp"
#include "FieldWarpFast.hpp"
#include "ImageCompare.hpp"
#include "RunFailure.hpp"
#include "TestImages.hpp"
#include "TestSchedules.hpp"

namespace {

constexpr uint8_t kUnwritten = 0x5A;
constexpr int32_t kFar = (1 << 30) - 1;
constexpr int32_t kLaneLimit = 1 << 24; // farthest line end the vector lanes take

// A line between two points in working-image pixels, rows from the bottom.
FieldLine Line(int32_t px, int32_t py, int32_t qx, int32_t qy) {
    return FieldLineFromPoints({px, -py}, {qx, -qy}, 0, 1.0);
}

// Where the random lines of a case lie.
enum class Reach {
    Inside,    // on and just around the image
    Around,    // up to three image sizes out
    NearLimit, // ends at the lanes' limit and one past it
    Far,       // one line near the edge of the coordinate range
};

// count random pairs of lines (from, to) of the given reach.
void RandomLines(int32_t width, int32_t height, int32_t count, Reach reach, uint32_t seed,
                 FieldLineSet& from, FieldLineSet& to) {
    std::mt19937 random(seed);
    const int32_t spread = reach == Reach::Inside ? 2 : 3 * std::max(width, height);
    std::uniform_int_distribution<int32_t> column(-spread, width - 1 + spread);
    std::uniform_int_distribution<int32_t> row(-spread, height - 1 + spread);
    from.count = 0;
    to.count = 0;
    for (int32_t k = 0; k < count; ++k) {
        from.lines[k] = Line(column(random), row(random), column(random), row(random));
        to.lines[k] = Line(column(random), row(random), column(random), row(random));
    }
    from.count = to.count = count;
    if (reach == Reach::NearLimit) {
        from.lines[0] = Line(kLaneLimit, 0, kLaneLimit, -kLaneLimit);
        to.lines[0] = Line(kLaneLimit, 3, kLaneLimit - 7, -kLaneLimit);
        from.lines[count - 1] = Line(-kLaneLimit - 1, 2, 5, kLaneLimit + 1);
        to.lines[count - 1] = Line(-kLaneLimit - 1, 1, 4, kLaneLimit);
    } else if (reach == Reach::Far) {
        from.lines[0] = Line(-kFar, -kFar, kFar, -kFar + 1);
        to.lines[0] = Line(kFar, kFar, kFar - 5, kFar);
    }
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
    int32_t count;
    Reach reach;
};

// The fast warp writes the reference's bytes, or fails with its failure before any pixel, for
// every size (one pixel, one row or column, every row padding, widths that are no multiple
// of the four lanes), every reach of the lines and every schedule.
TEST(FieldWarpFast, MatchesTheReferenceByteForByte) {
    const WarpCase cases[] = {
        {1, 1, 1, Reach::Inside},    {1, 7, 2, Reach::Inside},    {7, 1, 2, Reach::Around},
        {2, 3, 3, Reach::Inside},    {7, 5, 4, Reach::Around},    {5, 4, 1, Reach::Inside},
        {6, 3, 5, Reach::Around},    {3, 6, 6, Reach::Inside},    {9, 9, 10, Reach::Inside},
        {33, 17, 12, Reach::Around}, {64, 2, 3, Reach::Inside},   {13, 11, 4, Reach::NearLimit},
        {11, 13, 3, Reach::Far},     {31, 29, 50, Reach::Inside},
    };
    for (const WarpCase& c : cases) {
        for (uint32_t seed = 1; seed <= 3; ++seed) {
            FieldLineSet from;
            FieldLineSet to;
            RandomLines(c.width, c.height, c.count, c.reach, seed, from, to);
            OwnedImage image(c.width, c.height);
            image.FillRandom(seed);
            for (const double t : {0.0, 0.25, 0.5, 1.0 / 3.0, 1.0}) {
                const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) +
                                         " lines " + std::to_string(c.count) + " seed " +
                                         std::to_string(seed) + " t " + std::to_string(t);
                OwnedImage expected(c.width, c.height, kUnwritten);
                const std::string expectedFailure =
                    Outcome([&] { FieldWarp(image.image, expected.image, from, to, t); });
                for (const NamedSchedule& s : TestSchedules()) {
                    OwnedImage actual(c.width, c.height, kUnwritten);
                    const std::string failure = Outcome(
                        [&] { FieldWarpFast(image.image, actual.image, from, to, t, s.schedule); });
                    ASSERT_EQ(failure, expectedFailure) << name << ", " << s.name;
                    ASSERT_EQ(FirstDifference(expected, actual), "") << name << ", " << s.name;
                }
            }
        }
    }
}

// Lines that collapse to one pixel, or no lines, fail in both paths before any pixel.
TEST(FieldWarpFast, FailsWhereTheReferenceFails) {
    struct Case {
        const char* name;
        FieldLineSet from;
        FieldLineSet to;
        double t;
    };
    FieldLineSet opposite;
    opposite.lines[0] = Line(5, 2, 1, 2);
    opposite.count = 1;
    FieldLineSet forward;
    forward.lines[0] = Line(1, 2, 5, 2);
    forward.count = 1;
    FieldLineSet none;
    const Case cases[] = {{"opposite lines", forward, opposite, 0.5},
                          {"no lines", none, none, 0.5}};
    for (const Case& c : cases) {
        OwnedImage image(6, 6);
        image.FillRandom(4);
        OwnedImage expected(6, 6, kUnwritten);
        const std::string expectedFailure =
            Outcome([&] { FieldWarp(image.image, expected.image, c.from, c.to, c.t); });
        ASSERT_FALSE(expectedFailure.empty()) << c.name;
        for (const NamedSchedule& s : TestSchedules()) {
            OwnedImage actual(6, 6, kUnwritten);
            EXPECT_EQ(Outcome([&] {
                          FieldWarpFast(image.image, actual.image, c.from, c.to, c.t, s.schedule);
                      }),
                      expectedFailure)
                << c.name << ", " << s.name;
            EXPECT_EQ(actual.pixels, expected.pixels) << c.name << " wrote pixels";
        }
    }
    OwnedImage a(4, 4);
    OwnedImage b(4, 5);
    EXPECT_THROW(FieldWarpFast(a.image, b.image, forward, forward, 0.5), std::invalid_argument);
    EXPECT_THROW(FieldWarpFast(a.image, a.image, forward, none, 0.5), std::invalid_argument);
}

} // namespace
