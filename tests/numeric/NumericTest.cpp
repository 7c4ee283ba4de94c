#include <gtest/gtest.h>

#include <vector>

#include "MorphSchedule.hpp"
#include "Rounding.hpp"
#include "TestImages.hpp"

namespace {

TEST(RoundToInt, RoundsHalvesToEven) {
    struct Case {
        float value;
        int32_t expected;
    };
    const Case cases[] = {{0.5f, 0},     {1.5f, 2},     {2.5f, 2},       {-0.5f, 0},
                          {-1.5f, -2},   {-2.5f, -2},   {2.4999998f, 2}, {2.5000002f, 3},
                          {254.5f, 254}, {253.5f, 254}, {-3.7f, -4},     {16777216.0f, 16777216}};
    for (const Case& c : cases) {
        EXPECT_EQ(RoundToInt(c.value), c.expected) << c.value;
    }
}

TEST(TruncToInt32, DropsTheFractionTowardsZero) {
    EXPECT_EQ(TruncToInt32(127.5), 127);
    EXPECT_EQ(TruncToInt32(-1.7), -1);
    EXPECT_EQ(TruncToInt32(-0.2), 0);
}

TEST(WorkImage, RowsArePaddedToFourBytes) {
    const int32_t strides[] = {4, 8, 12, 12, 16};
    const int32_t pads[] = {1, 2, 3, 0, 1};
    for (int32_t width = 1; width <= 5; ++width) {
        EXPECT_EQ(RowStrideFor(width), strides[width - 1]) << width;
        EXPECT_EQ(RowPadFor(width), pads[width - 1]) << width;
    }
}

TEST(WorkImage, TopRowIsLastInMemory) {
    OwnedImage owned(3, 4);
    const WorkImage& image = owned.image;
    EXPECT_EQ(RowFromTop(image, 0), image.bits + 3 * image.rowStride);
    EXPECT_EQ(RowFromTop(image, 3), image.bits);
    EXPECT_EQ(PixelFromTop(image, 2, 1), image.bits + 2 * image.rowStride + 6);
    EXPECT_EQ(RowFromBottom(image, 1), image.bits + image.rowStride);
}

struct ScheduleCase {
    int32_t frames;
    bool warpOnly;
    std::vector<int32_t> alphas; // of every generated frame, in order
};

TEST(MorphSchedule, CountsTimesAndWeights) {
    const ScheduleCase cases[] = {
        {-5, false, {}},   {0, false, {}},
        {1, false, {}},    {2, false, {}},
        {0, true, {}},     {1, true, {}},
        {3, false, {127}}, {12, false, {231, 208, 185, 162, 139, 115, 92, 69, 46, 23}},
        {2, true, {127}},
    };
    for (const ScheduleCase& c : cases) {
        const MorphSchedule schedule(c.frames, c.warpOnly);
        ASSERT_EQ(schedule.Count(), static_cast<int64_t>(c.alphas.size())) << c.frames;
        for (int64_t i = 1; i <= schedule.Count(); ++i) {
            EXPECT_EQ(schedule.At(i).alpha, c.alphas[i - 1]) << c.frames << " frame " << i;
        }
    }
}

TEST(MorphSchedule, WarpOnlyStopsShortOfTheFullWarp) {
    const MorphSchedule schedule(12, true);
    ASSERT_EQ(schedule.Count(), 11);
    for (int64_t i = 1; i <= 11; ++i) {
        EXPECT_EQ(schedule.At(i).t, i / 12.0);
        EXPECT_EQ(schedule.At(i).s, 1.0 - i / 12.0);
    }
    EXPECT_EQ(MorphSchedule(12, false).At(1).t, 1.0 / 11.0);
}

TEST(MorphSchedule, LargestFrameCountDoesNotOverflow) {
    EXPECT_EQ(MorphSchedule(INT32_MAX, true).Count(), int64_t{INT32_MAX} - 1);
}

} // namespace
