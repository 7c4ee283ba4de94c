#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "MeshFit.hpp"
#include "MeshMorphSequence.hpp"
#include "MeshNodes.hpp"
#include "MeshTestGrids.hpp"
#include "MorphTestSet.hpp"
#include "SyntheticPairs.hpp"

namespace {

// A rectangle of pixels: columns left .. right - 1, rows top .. bottom - 1.
struct Area {
    int32_t left, top, right, bottom;
};

// The whole picture but its last row and column, which the mesh warp never writes from the
// picture.
Area WarpedArea(const OwnedImage& image) {
    return {0, 0, image.image.width - 1, image.image.height - 1};
}

// The area inside the first and last inner lines of a regular mesh: outside it the pinned
// border nodes hold the picture's edge still, whatever the motion does there.
Area InnerMeshArea(const std::vector<Point>& mesh, int32_t cols, int32_t rows) {
    return {mesh[MeshNodeIndex(1, 1)].x, mesh[MeshNodeIndex(1, 1)].y,
            mesh[MeshNodeIndex(cols, rows)].x + 1, mesh[MeshNodeIndex(cols, rows)].y + 1};
}

// Peak signal-to-noise ratio of a against b over every pixel byte of area, in dB.
double Psnr(const OwnedImage& a, const OwnedImage& b, const Area& area) {
    double sum = 0.0;
    int64_t n = 0;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        for (int32_t x = area.left; x < area.right; ++x) {
            for (int32_t c = 0; c < 3; ++c) {
                const double d = PixelFromTop(a.image, x, y)[c] - PixelFromTop(b.image, x, y)[c];
                sum += d * d;
                ++n;
            }
        }
    }
    return 10.0 * std::log10(255.0 * 255.0 / (sum / static_cast<double>(n)));
}

// The in-between frame at t = 0.5 of a linear mesh morph from start to final (a run of three
// frames makes just that one); fails the test when the run emits no frame.
void HalfWay(const OwnedImage& start, const OwnedImage& final, const std::vector<Point>& meshSrc,
             const std::vector<Point>& meshDst, int32_t cols, int32_t rows, OwnedImage& out) {
    MorphTestSet set(start.image.width, start.image.height);
    set.src.pixels = start.pixels;
    set.dst.pixels = final.pixels;
    RecordingSink sink(set.frame);
    MeshMorphSequence(meshSrc.data(), meshDst.data(), cols, rows, set.Images(), 3, true, false, 1.0,
                      sink);
    ASSERT_EQ(sink.events, "EP");
    out.pixels = sink.frames[0];
}

// True when every node of every mesh row has a larger x than the one before it and every node
// of every mesh column a larger y than the one above, except pairs already out of order in
// before; names the first pair the fit put out of order.
std::string NewFold(const std::vector<Point>& before, const std::vector<Point>& after, int32_t cols,
                    int32_t rows) {
    for (int32_t r = 0; r <= rows + 1; ++r) {
        for (int32_t k = 0; k <= cols; ++k) {
            const int32_t a = MeshNodeIndex(k, r);
            const int32_t b = MeshNodeIndex(k + 1, r);
            if (after[b].x <= after[a].x && before[b].x > before[a].x) {
                return "row " + std::to_string(r) + " column " + std::to_string(k);
            }
        }
    }
    for (int32_t k = 0; k <= cols + 1; ++k) {
        for (int32_t r = 0; r <= rows; ++r) {
            const int32_t a = MeshNodeIndex(k, r);
            const int32_t b = MeshNodeIndex(k, r + 1);
            if (after[b].y <= after[a].y && before[b].y > before[a].y) {
                return "column " + std::to_string(k) + " row " + std::to_string(r);
            }
        }
    }
    return "";
}

struct MotionCase {
    const char* name;
    Motion motion;
};

class FitMeshOnPair : public testing::TestWithParam<MotionCase> {};

// The editor's default 16 x 12 mesh on a 640 x 480 pair: the fitted nodes land within a pixel
// (RMS) of where the content went, and the in-between frame of the fitted mesh is far closer
// to the true half-way picture than the unedited mesh's cross-dissolve. The frames are
// compared inside the inner mesh lines: a turn moves the picture's edge, which no mesh with a
// pinned border follows.
TEST_P(FitMeshOnPair, PlacesNodesWhereThePictureWentAndBeatsTheDissolve) {
    constexpr int32_t width = 640, height = 480, cols = 16, rows = 12;
    const Motion& motion = GetParam().motion;
    OwnedImage start(width, height), final(width, height), truth(width, height);
    RenderAt(motion, 0.0, start);
    RenderAt(motion, 1.0, final);
    RenderAt(motion, 0.5, truth);
    const std::vector<Point> meshSrc = NewMeshNodes(width, height, cols, rows);
    std::vector<Point> meshDst = meshSrc;

    const FitCount count = FitMeshDestination(start.image, final.image, meshSrc.data(),
                                              meshSrc.data(), cols, rows, meshDst.data());
    EXPECT_EQ(count.total, cols * rows);
    EXPECT_GE(count.fitted, count.total * 95 / 100);
    EXPECT_EQ(NewFold(meshSrc, meshDst, cols, rows), "");

    std::vector<Point> placed;
    std::vector<Spot> truePlaces;
    for (int32_t k = 1; k <= cols; ++k) {
        for (int32_t r = 1; r <= rows; ++r) {
            const Point q = meshSrc[MeshNodeIndex(k, r)];
            const Point p = meshDst[MeshNodeIndex(k, r)];
            if (p.x != q.x || p.y != q.y) {
                placed.push_back(p);
                truePlaces.push_back(TruePlace(motion, {double(q.x), double(q.y)}));
            }
        }
    }
    const double rms = RmsDistance(placed, truePlaces);
    EXPECT_LT(rms, 1.0);

    OwnedImage fitted(width, height), dissolved(width, height);
    HalfWay(start, final, meshSrc, meshDst, cols, rows, fitted);
    HalfWay(start, final, meshSrc, meshSrc, cols, rows, dissolved);
    const Area inner = InnerMeshArea(meshSrc, cols, rows);
    const double fittedPsnr = Psnr(fitted, truth, inner);
    const double dissolvedPsnr = Psnr(dissolved, truth, inner);
    std::cout << GetParam().name << ": fitted " << count.fitted << " of " << count.total
              << " nodes, RMS " << rms << " px; PSNR at t = 0.5 inside the inner lines (whole "
              << "frame): fitted mesh " << fittedPsnr << " dB ("
              << Psnr(fitted, truth, WarpedArea(truth)) << "), unedited mesh " << dissolvedPsnr
              << " dB (" << Psnr(dissolved, truth, WarpedArea(truth)) << ")\n";
    EXPECT_GE(fittedPsnr - dissolvedPsnr, 15.0);
}

INSTANTIATE_TEST_SUITE_P(Motions, FitMeshOnPair,
                         testing::Values(MotionCase{"SmoothWarp", SmoothWarp(640, 480)},
                                         MotionCase{"ShiftAndTurn", ShiftAndTurn(640, 480)}),
                         [](const testing::TestParamInfo<MotionCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace

namespace {

// A 3 x 2 mesh on a 40 x 30 picture: inner columns at x = 10, 20, 30 (border 0 and 39),
// inner rows at y = 10, 20 (border 0 and 29).
constexpr int32_t kCols = 3, kRows = 2;

// Index into matches of inner node (k, r).
size_t MatchIndex(int32_t k, int32_t r) {
    return static_cast<size_t>(k - 1) * kRows + (r - 1);
}

struct PlacementCase {
    const char* name;
    std::vector<std::pair<Point, Point>> moved;    // node (k, r) of meshDst moved before the fit
    std::vector<std::pair<Point, FitMatch>> hits;  // node (k, r) and its match; others none
    std::vector<std::pair<Point, Point>> expected; // node (k, r) and its place after the fit
    FitCount count;
};

class PlaceFittedMeshCase : public testing::TestWithParam<PlacementCase> {};

// Each case starts from the regular mesh, changed by moved, and gives matches to some nodes;
// the nodes listed in expected end there and every other node keeps its place.
TEST_P(PlaceFittedMeshCase, PlacesMatchesAndKeepsTheMeshInOrder) {
    const PlacementCase& c = GetParam();
    std::vector<Point> meshDst = NewMeshNodes(40, 30, kCols, kRows);
    for (const auto& [node, at] : c.moved) {
        meshDst[MeshNodeIndex(node.x, node.y)] = at;
    }
    std::vector<FitMatch> matches(kCols * kRows, FitMatch{0.0, 0.0, false});
    for (const auto& [node, match] : c.hits) {
        matches[MatchIndex(node.x, node.y)] = match;
    }
    std::vector<Point> expected = meshDst;
    for (const auto& [node, at] : c.expected) {
        expected[MeshNodeIndex(node.x, node.y)] = at;
    }

    std::vector<Point> fitted(meshDst.size(), Point{-1, -1});
    const FitCount count = PlaceFittedMesh(meshDst.data(), kCols, kRows, matches, fitted.data());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(fitted[i].x, expected[i].x)
            << "node " << i / kMeshArraySide << ", " << i % kMeshArraySide;
        EXPECT_EQ(fitted[i].y, expected[i].y)
            << "node " << i / kMeshArraySide << ", " << i % kMeshArraySide;
    }
    EXPECT_EQ(count.fitted, c.count.fitted);
    EXPECT_EQ(count.held, c.count.held);
    EXPECT_EQ(count.total, c.count.total);

    // The same fit written over meshDst itself.
    const FitCount inPlace = PlaceFittedMesh(meshDst.data(), kCols, kRows, matches, meshDst.data());
    EXPECT_EQ(inPlace.fitted, count.fitted);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(meshDst[i].x == expected[i].x && meshDst[i].y == expected[i].y) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceFittedMeshCase,
    testing::Values(PlacementCase{"NoMatchMovesNothing", {}, {}, {}, {0, 0, 6}},
                    PlacementCase{"MatchesRoundToThePixel",
                                  {},
                                  {{{1, 1}, {12.4, 8.6, true}}, {{3, 2}, {28.5, 21.49, true}}},
                                  {{{1, 1}, {12, 9}}, {{3, 2}, {29, 21}}},
                                  {2, 0, 6}},
                    PlacementCase{"PastAKeptNeighbourIsHeldAPixelShort",
                                  {},
                                  {{{1, 1}, {25.0, 10.0, true}}, {{2, 2}, {20.0, 35.0, true}}},
                                  {{{1, 1}, {19, 10}}, {{2, 2}, {20, 28}}},
                                  {2, 2, 6}},
                    PlacementCase{"CrossedMatchesAreSortedIntoOrder",
                                  {},
                                  {{{1, 1}, {25.0, 10.0, true}}, {{2, 1}, {12.0, 10.0, true}}},
                                  {{{1, 1}, {25, 10}}, {{2, 1}, {26, 10}}},
                                  {2, 1, 6}},
                    // Column 3 was dragged to x = 2 before the fit: columns 1 and 2 have no room
                    // left between the left border and it, so they keep their place, fitted or not.
                    PlacementCase{"NoRoomBetweenKeptNodesKeepsThePlace",
                                  {{{3, 1}, {2, 10}}},
                                  {{{1, 1}, {11.0, 11.0, true}},
                                   {{2, 1}, {21.0, 11.0, true}},
                                   {{1, 2}, {11.0, 21.0, true}}},
                                  {{{1, 2}, {11, 21}}},
                                  {1, 0, 6}},
                    PlacementCase{"AMatchOnTheBorderStopsAPixelInside",
                                  {},
                                  {{{3, 2}, {39.0, 29.0, true}}},
                                  {{{3, 2}, {38, 28}}},
                                  {1, 1, 6}}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

// Wild matches (anywhere, crossing, some missing) on meshes already dragged about: the fit
// folds no pair of neighbours that was in order and never moves a border node or a node
// without a match.
TEST(PlaceFittedMesh, WildMatchesNeverFoldTheMesh) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 200; ++trial) {
        const int32_t cols = 1 + static_cast<int32_t>(random() % 24);
        const int32_t rows = 1 + static_cast<int32_t>(random() % 18);
        std::vector<Point> meshDst = NewMeshNodes(400, 300, cols, rows);
        std::uniform_int_distribution<int32_t> jiggle(-15, 15);
        for (int32_t k = 1; k <= cols; ++k) {
            for (int32_t r = 1; r <= rows; ++r) {
                Point& p = meshDst[MeshNodeIndex(k, r)];
                p = {p.x + jiggle(random), p.y + jiggle(random)};
            }
        }
        std::uniform_real_distribution<double> x(-20.0, 420.0), y(-20.0, 320.0);
        std::vector<FitMatch> matches;
        for (int32_t i = 0; i < cols * rows; ++i) {
            matches.push_back({x(random), y(random), random() % 4 != 0});
        }
        std::vector<Point> fitted(meshDst.size());
        const FitCount count = PlaceFittedMesh(meshDst.data(), cols, rows, matches, fitted.data());
        ASSERT_EQ(NewFold(meshDst, fitted, cols, rows), "") << "trial " << trial;
        ASSERT_LE(count.fitted, cols * rows);
        for (int32_t k = 0; k <= cols + 1; ++k) {
            for (int32_t r = 0; r <= rows + 1; ++r) {
                const int32_t i = MeshNodeIndex(k, r);
                const bool inner = k >= 1 && k <= cols && r >= 1 && r <= rows;
                const bool matched = inner && matches[(k - 1) * rows + (r - 1)].reliable;
                if (!matched) {
                    ASSERT_TRUE(fitted[i].x == meshDst[i].x && fitted[i].y == meshDst[i].y)
                        << "trial " << trial << " node " << k << ", " << r;
                }
            }
        }
    }
}

// The unedited mesh fitted to wild matches (anywhere, crossing, some missing) always makes a
// run that succeeds, linear or Catmull-Rom: no two nodes of a line meet and no two lines cross
// between their nodes.
TEST(PlaceFittedMesh, WildMatchesNeverFailARun) {
    std::mt19937 random(5);
    MorphTestSet set(200, 150);
    for (int trial = 0; trial < 60; ++trial) {
        const int32_t cols = 1 + static_cast<int32_t>(random() % 9);
        const int32_t rows = 1 + static_cast<int32_t>(random() % 7);
        const std::vector<Point> mesh = NewMeshNodes(200, 150, cols, rows);
        std::uniform_real_distribution<double> x(-10.0, 210.0), y(-10.0, 160.0);
        std::vector<FitMatch> matches;
        for (int32_t i = 0; i < cols * rows; ++i) {
            matches.push_back({x(random), y(random), random() % 3 != 0});
        }
        std::vector<Point> fitted(mesh.size());
        PlaceFittedMesh(mesh.data(), cols, rows, matches, fitted.data());
        for (const bool linear : {true, false}) {
            RecordingSink sink(set.frame);
            MeshMorphSequence(mesh.data(), fitted.data(), cols, rows, set.Images(), 4, linear,
                              false, 1.0, sink);
            ASSERT_EQ(sink.events, "EPEP") << "trial " << trial << (linear ? "" : " Catmull-Rom");
        }
    }
}

TEST(PlaceFittedMesh, RefusesCountsOutsideTheArrays) {
    const std::vector<Point> mesh = NewMeshNodes(40, 30, 3, 2);
    std::vector<Point> out(mesh.size());
    const std::vector<FitMatch> six(6, FitMatch{0.0, 0.0, false});
    EXPECT_THROW(PlaceFittedMesh(mesh.data(), 0, 2, six, out.data()), std::invalid_argument);
    EXPECT_THROW(PlaceFittedMesh(mesh.data(), 3, 101, six, out.data()), std::invalid_argument);
    EXPECT_THROW(PlaceFittedMesh(mesh.data(), 3, 3, six, out.data()), std::invalid_argument);
}

} // namespace
