#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FitDestination.hpp"
#include "MeshFit.hpp"
#include "MeshMorphSequence.hpp"
#include "MeshNodes.hpp"
#include "MeshTestGrids.hpp"
#include "MorphTestSet.hpp"
#include "SyntheticPairs.hpp"

namespace {

// Inner nodes of the two meshes that differ.
int32_t MovedNodes(const std::vector<Point>& a, const std::vector<Point>& b, int32_t cols,
                   int32_t rows) {
    int32_t moved = 0;
    for (int32_t k = 1; k <= cols; ++k) {
        for (int32_t r = 1; r <= rows; ++r) {
            const int32_t i = MeshNodeIndex(k, r);
            moved += a[i].x != b[i].x || a[i].y != b[i].y ? 1 : 0;
        }
    }
    return moved;
}

// True when, along every mesh row and column, each node lies past the one before it.
bool InOrder(const std::vector<Point>& mesh, int32_t cols, int32_t rows) {
    for (int32_t k = 0; k <= cols + 1; ++k) {
        for (int32_t r = 0; r <= rows + 1; ++r) {
            const Point p = mesh[MeshNodeIndex(k, r)];
            if ((k <= cols && mesh[MeshNodeIndex(k + 1, r)].x <= p.x) ||
                (r <= rows && mesh[MeshNodeIndex(k, r + 1)].y <= p.y)) {
                return false;
            }
        }
    }
    return true;
}

// A flat picture has nothing to follow: no node moves, and the status says so.
TEST(FitMeshDestination, FlatPicturesMoveNothing) {
    OwnedImage start(640, 480, 128), final(640, 480, 128);
    const std::vector<Point> mesh = NewMeshNodes(640, 480, 16, 12);
    std::vector<Point> fitted = mesh;
    const FitCount count = FitMeshDestination(start.image, final.image, mesh.data(), mesh.data(),
                                              16, 12, fitted.data());
    EXPECT_EQ(count.fitted, 0);
    EXPECT_EQ(count.total, 192);
    EXPECT_EQ(MovedNodes(mesh, fitted, 16, 12), 0);
    EXPECT_EQ(FitStatusMessage(count, FitSubject::MeshNodes),
              "fitted 0 of 192 nodes: no match to trust, nothing moved");
}

// Frames of different sizes are fitted on their common area, the top-left 560 x 400 pixels:
// nodes there land where the content went, nodes beyond it keep their place.
TEST(FitMeshDestination, FramesOfDifferentSizesFitOnTheCommonArea) {
    const Motion motion = ShiftAndTurn(640, 480);
    OwnedImage large(640, 480), small(560, 400);
    RenderAt(motion, 0.0, large);
    RenderAt(motion, 1.0, small);
    const std::vector<Point> mesh = NewMeshNodes(640, 480, 16, 12);
    std::vector<Point> fitted = mesh;
    const FitCount count = FitMeshDestination(large.image, small.image, mesh.data(), mesh.data(),
                                              16, 12, fitted.data());
    std::vector<Point> placed;
    std::vector<Spot> truth;
    for (int32_t k = 1; k <= 16; ++k) {
        for (int32_t r = 1; r <= 12; ++r) {
            const Point q = mesh[MeshNodeIndex(k, r)];
            const Point p = fitted[MeshNodeIndex(k, r)];
            const bool moved = p.x != q.x || p.y != q.y;
            if (q.x >= 560 || q.y >= 400) {
                EXPECT_FALSE(moved) << "node " << k << ", " << r << " beyond the common area";
            } else if (moved) {
                placed.push_back(p);
                truth.push_back(TruePlace(motion, {double(q.x), double(q.y)}));
            }
        }
    }
    EXPECT_EQ(count.fitted, static_cast<int32_t>(placed.size()));
    EXPECT_GE(count.fitted, 120); // 14 x 10 nodes lie inside, a few of them too near its edge
    EXPECT_LT(RmsDistance(placed, truth), 1.0);

    // And the other way round: the final frame the larger one.
    std::vector<Point> reverse = mesh;
    const FitCount back = FitMeshDestination(small.image, large.image, mesh.data(), mesh.data(), 16,
                                             12, reverse.data());
    EXPECT_GT(back.fitted, 0);
    EXPECT_LT(back.fitted, back.total);
}

// A mesh of 100 x 100 inner lines, the most the arrays hold: on a 640 x 480 picture most of
// its nodes lie beyond the picture (the spacing is rounded up) and keep their place; on a
// 1010 x 1010 picture every node lies inside, the fitted mesh stays in order and its run
// succeeds.
TEST(FitMeshDestination, DenseMeshesFitWithoutFolding) {
    const struct { int32_t width, height; } sizes[] = {{640, 480}, {1010, 1010}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        const Motion motion = ShiftAndTurn(size.width, size.height);
        OwnedImage start(size.width, size.height), final(size.width, size.height);
        RenderAt(motion, 0.0, start);
        RenderAt(motion, 1.0, final);
        const std::vector<Point> mesh = NewMeshNodes(size.width, size.height, 100, 100);
        std::vector<Point> fitted = mesh;
        const FitCount count = FitMeshDestination(start.image, final.image, mesh.data(),
                                                  mesh.data(), 100, 100, fitted.data());
        EXPECT_EQ(count.total, 10000);
        EXPECT_GT(count.fitted, 0);
        EXPECT_LE(MovedNodes(mesh, fitted, 100, 100), count.fitted);
        if (InOrder(mesh, 100, 100)) {
            EXPECT_TRUE(InOrder(fitted, 100, 100));
            MorphTestSet set(size.width, size.height);
            set.src.pixels = start.pixels;
            set.dst.pixels = final.pixels;
            RecordingSink sink(set.frame);
            MeshMorphSequence(mesh.data(), fitted.data(), 100, 100, set.Images(), 6, true, false,
                              1.0, sink);
            EXPECT_EQ(sink.events, "EPEPEPEP");
        }
    }
}

// Pictures too small for a measuring window, and points outside the picture, get no match;
// images without pixels are refused.
TEST(FitDestination, GivesNoMatchWhereNothingCanBeMeasured) {
    OwnedImage tinyA(10, 10), tinyB(10, 10);
    tinyA.FillRandom(1);
    tinyB.FillRandom(1);
    const std::vector<Point> points{{5, 5}, {0, 0}};
    for (const FitMatch& match : FitDestination(tinyA.image, tinyB.image, points)) {
        EXPECT_FALSE(match.reliable);
    }

    OwnedImage start(200, 150), final(200, 150);
    RenderAt(ShiftAndTurn(200, 150), 0.0, start);
    RenderAt(ShiftAndTurn(200, 150), 1.0, final);
    const std::vector<Point> outside{{-1, 50}, {200, 50}, {50, 150}, {BREAK_MARK, 0}, {100, 75}};
    const std::vector<FitMatch> matches = FitDestination(start.image, final.image, outside);
    ASSERT_EQ(matches.size(), outside.size());
    for (size_t i = 0; i + 1 < matches.size(); ++i) {
        EXPECT_FALSE(matches[i].reliable) << i;
    }
    EXPECT_TRUE(matches.back().reliable);
    EXPECT_TRUE(FitDestination(start.image, final.image, {}).empty());

    WorkImage none = start.image;
    none.bits = nullptr;
    EXPECT_THROW(FitDestination(none, final.image, outside), std::invalid_argument);
    WorkImage narrowStride = final.image;
    narrowStride.rowStride = 3 * narrowStride.width - 1;
    EXPECT_THROW(FitDestination(start.image, narrowStride, outside), std::invalid_argument);
}

} // namespace
