#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FieldFit.hpp"
#include "FieldMorphSequence.hpp"
#include "MorphTestSet.hpp"
#include "SyntheticPairs.hpp"

namespace {

constexpr Point kBreak{BREAK_MARK, 0};

// Two polylines and a single line on a 640 x 480 pair, fitted: every point lands within a
// pixel (RMS) of where its content went, the breaks stay, and the fitted field runs.
TEST(FitFieldDestination, PlacesPointsWhereThePictureWent) {
    const Motion motion = ShiftAndTurn(640, 480);
    OwnedImage start(640, 480), final(640, 480);
    RenderAt(motion, 0.0, start);
    RenderAt(motion, 1.0, final);
    const std::vector<Point> fieldSrc{{100, 100}, {220, 130}, {300, 260}, kBreak,    {500, 80},
                                      {520, 400}, kBreak,     {60, 420},  {380, 430}};
    const auto count = static_cast<int32_t>(fieldSrc.size());
    std::vector<Point> fieldDst = fieldSrc;
    const FitCount fit = FitFieldDestination(start.image, final.image, fieldSrc.data(),
                                             fieldSrc.data(), count, fieldDst.data());
    EXPECT_EQ(fit.total, 7);
    EXPECT_EQ(fit.fitted, 7);
    EXPECT_EQ(FitStatusMessage(fit, FitSubject::FieldPoints), "");

    std::vector<Point> placed;
    std::vector<Spot> truth;
    for (int32_t i = 0; i < count; ++i) {
        if (fieldSrc[i].x == BREAK_MARK) {
            EXPECT_EQ(fieldDst[i].x, BREAK_MARK) << i;
            continue;
        }
        placed.push_back(fieldDst[i]);
        truth.push_back(TruePlace(motion, {double(fieldSrc[i].x), double(fieldSrc[i].y)}));
    }
    EXPECT_LT(RmsDistance(placed, truth), 1.0);

    MorphTestSet set(640, 480);
    set.src.pixels = start.pixels;
    set.dst.pixels = final.pixels;
    RecordingSink sink(set.frame);
    std::vector<Point> src = fieldSrc, dst = fieldDst;
    src.push_back(kBreak); // the slot after the last point holds a break, as the store keeps it
    dst.push_back(kBreak);
    FieldMorphSequence(src.data(), dst.data(), count, 479, set.Images(), 3, false, 1.0, sink);
    EXPECT_EQ(sink.events, "EP");
}

struct FieldCase {
    const char* name;
    std::vector<Point> src;      // source points (the destination starts equal to them)
    std::vector<FitMatch> hits;  // one per entry
    std::vector<Point> expected; // destination after the fit
    int32_t fitted;              // points the fit moved
};

class PlaceFittedFieldCase : public testing::TestWithParam<FieldCase> {};

TEST_P(PlaceFittedFieldCase, PlacesMatchesWithoutTurningALine) {
    const FieldCase& c = GetParam();
    const auto count = static_cast<int32_t>(c.src.size());
    std::vector<Point> fitted(c.src.size(), Point{-1, -1});
    const FitCount fit = PlaceFittedField(c.src.data(), c.src.data(), count, c.hits, fitted.data());
    for (size_t i = 0; i < c.expected.size(); ++i) {
        EXPECT_TRUE(fitted[i].x == c.expected[i].x && fitted[i].y == c.expected[i].y)
            << "entry " << i << ": (" << fitted[i].x << ", " << fitted[i].y << ")";
    }
    EXPECT_EQ(fit.fitted, c.fitted);
}

constexpr FitMatch kNone{0.0, 0.0, false};

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceFittedFieldCase,
    testing::Values(
        FieldCase{"MatchesRoundToThePixel",
                  {{10, 10}, {50, 10}},
                  {{12.5, 9.4, true}, {51.6, 12.0, true}},
                  {{13, 9}, {52, 12}},
                  2},
        FieldCase{"AnEndWithoutAMatchKeepsItsPlace",
                  {{10, 10}, {50, 10}},
                  {kNone, {55.0, 14.0, true}},
                  {{10, 10}, {55, 14}},
                  1},
        FieldCase{"ALineTurnedAroundKeepsBothEnds",
                  {{10, 10}, {50, 10}},
                  {{52.0, 10.0, true}, {8.0, 10.0, true}},
                  {{10, 10}, {50, 10}},
                  0},
        FieldCase{"ALineTurnedAcrossKeepsItsFittedEnd",
                  {{10, 10}, {50, 10}},
                  {kNone, {10.0, 40.0, true}},
                  {{10, 10}, {50, 10}},
                  0},
        // Keeping the middle point of a polyline back turns its other line: all three stay.
        FieldCase{"KeepingAPointBackCanTurnItsOtherLine",
                  {{10, 10}, {50, 10}, {60, 10}, kBreak},
                  {{70.0, 10.0, true}, {30.0, 10.0, true}, {40.0, 10.0, true}, kNone},
                  {{10, 10}, {50, 10}, {60, 10}, kBreak},
                  0},
        FieldCase{"AClickLineFollowsItsPoint",
                  {{30, 30}, {30, 30}, kBreak, {5, 5}, {25, 5}},
                  {{34.0, 28.0, true}, {34.0, 28.0, true}, kNone, kNone, kNone},
                  {{34, 28}, {34, 28}, kBreak, {5, 5}, {25, 5}},
                  2}),
    [](const testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

TEST(PlaceFittedField, RefusesCountsOutsideTheStore) {
    const std::vector<Point> points(1025, Point{1, 1});
    std::vector<Point> out(points.size());
    const std::vector<FitMatch> matches(points.size(), kNone);
    EXPECT_THROW(PlaceFittedField(points.data(), points.data(), 1025, matches, out.data()),
                 std::invalid_argument);
    EXPECT_THROW(PlaceFittedField(points.data(), points.data(), -1, matches, out.data()),
                 std::invalid_argument);
    EXPECT_THROW(PlaceFittedField(points.data(), points.data(), 4,
                                  std::span<const FitMatch>(matches.data(), 3), out.data()),
                 std::invalid_argument);
}

} // namespace
