// --auto-fit through imagora: two frames of a shifted picture in-between
// themselves with no person, and the fitted mesh is kept for the next run.
#include "GeometryFile.hpp"
#include "ImagoraFixture.hpp"
#include "ShiftedTexture.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kShiftX = 4, kShiftY = 3;

class AutoFitEndToEnd : public Imagora {
protected:
    void SetUp() override {
        Imagora::SetUp();
        a_ = Save("a.png", ShiftedTexture(160, 120, 0, 0));
        b_ = Save("b.png", ShiftedTexture(160, 120, kShiftX, kShiftY));
        geometry_ = (dir_ / "fit.json").string();
    }
    std::string Save(const std::string& name, const TBitmap& picture) {
        std::string error, path = (dir_ / name).string();
        EXPECT_TRUE(SavePng(path, picture, error)) << error;
        return path;
    }
    Outcome FitAndRender(const std::string& out) {
        return Run("--geometry " + geometry_ + " --auto-fit --render --save " +
                   (dir_ / out).string() + " " + a_ + " " + b_);
    }
    // Every inner destination node within a pixel of its source node moved by the shift.
    static void ExpectFitted(const GeometryRecord& record) {
        ASSERT_GT(record.meshColumns, 0);
        for (size_t i = 0; i < record.meshSrc.size(); ++i) {
            EXPECT_LE(std::abs(record.meshDst[i].x - (record.meshSrc[i].x + kShiftX)), 1) << i;
            EXPECT_LE(std::abs(record.meshDst[i].y - (record.meshSrc[i].y + kShiftY)), 1) << i;
        }
    }
    // Peak signal-to-noise ratio of a saved frame against the texture shifted by
    // (dx, dy), over the picture less a margin of 24 pixels, where the mesh's
    // pinned border holds the picture back.
    double Psnr(const fs::path& frame, double dx, double dy) {
        TBitmap saved;
        std::string error;
        EXPECT_TRUE(LoadImageFile(frame.string(), saved, error)) << error;
        const TBitmap truth = ShiftedTexture(160, 120, dx, dy);
        double sum = 0;
        int count = 0;
        for (int y = 24; y < 96; ++y)
            for (int x = 24; x < 136; ++x)
                for (int b = 0; b < 3; ++b) {
                    const double d = Byte(saved, x, y, b) - Byte(truth, x, y, b);
                    sum += d * d;
                    ++count;
                }
        return 10 * std::log10(255.0 * 255.0 / (sum / count));
    }
    static int Byte(const TBitmap& picture, int x, int y, int b) {
        return picture.Bits()[(picture.Height() - 1 - y) * picture.RowStride() + 3 * x + b];
    }
    static bool Same(const std::vector<Point>& a, const std::vector<Point>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), SamePoint);
    }
    std::string a_, b_, geometry_;
};

TEST_F(AutoFitEndToEnd, LaysFitsRendersAndKeepsTheMesh) {
    const Outcome first = FitAndRender("first");
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.err, "auto-fit: fitted 12 of 12 nodes\n");
    EXPECT_GT(Saved(dir_ / "first").size(), 2u) << "frames and the index";
    // The in-between at t = 5 / 11 (the 12 frames' sixth) against the picture half-way,
    // and what the unfitted default mesh makes of it (a cross-dissolve).
    const Outcome dissolved =
        Run("--script " + File("dissolve.txt", "click WarpMeshG_btn\nclick MorphFinal_btn\n") +
            " --save " + (dir_ / "dissolved").string() + " " + a_ + " " + b_);
    ASSERT_EQ(dissolved.exitCode, 0) << dissolved.err;
    const double t = 5.0 / 11.0;
    const double fitted = Psnr(dir_ / "first" / "frame_0005.png", t * kShiftX, t * kShiftY);
    const double dissolve = Psnr(dir_ / "dissolved" / "frame_0005.png", t * kShiftX, t * kShiftY);
    EXPECT_GT(fitted, dissolve + 10) << fitted << " dB against " << dissolve << " dB";

    const GeometryLoad laid = LoadGeometryFile(geometry_);
    ASSERT_EQ(laid.status, GeometryLoad::Status::Loaded);
    // "New mesh" with the counts the editor proposes for 160 x 120 frames.
    EXPECT_EQ(laid.record.meshColumns, 4);
    EXPECT_EQ(laid.record.meshRows, 3);
    ExpectFitted(laid.record);

    // Ctrl+F pressed by a script after "New mesh" makes the very same frames.
    const Outcome pressed =
        Run("--script " +
            File("press.txt", "click WarpMeshG_btn\nkey LeftView ctrl+f\nclick MorphFinal_btn\n") +
            " --save " + (dir_ / "pressed").string() + " " + a_ + " " + b_);
    ASSERT_EQ(pressed.exitCode, 0) << pressed.err;
    EXPECT_TRUE(Saved(dir_ / "first") == Saved(dir_ / "pressed"));

    // A second run restores the fitted mesh instead of laying a new one, and
    // fitting it again changes nothing.
    const Outcome second = FitAndRender("second");
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_TRUE(Saved(dir_ / "first") == Saved(dir_ / "second"));
    const GeometryLoad again = LoadGeometryFile(geometry_);
    EXPECT_TRUE(Same(again.record.meshSrc, laid.record.meshSrc));
    EXPECT_TRUE(Same(again.record.meshDst, laid.record.meshDst));
}

TEST_F(AutoFitEndToEnd, RefusedWithoutAGeometryFile) {
    const Outcome r = Run("--auto-fit " + a_ + " " + b_);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "imagora: --auto-fit needs --geometry FILE\n");
}

} // namespace
