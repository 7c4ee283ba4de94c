#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "CrossDissolve.hpp"
#include "IplAlphaComposite.hpp"
#include "IplHeader.hpp"
#include "MorphTestSet.hpp"

namespace {

TEST(IplCreateImageHeader, DescribesTheWorkingLayout) {
    for (int width = 1; width <= 4; ++width) {
        IplHeaderPtr header(iplCreateImageHeader(3, 0, kIplDepth8U, "RGB", "BGR",
                                                 kIplDataOrderPixel, kIplOriginBottomLeft,
                                                 kIplAlignDword, width, 2));
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->rowStride, RowStrideFor(width));
        EXPECT_EQ(header->imageSize, 2 * RowStrideFor(width));
        EXPECT_STREQ(header->colorModel, "RGB");
        EXPECT_STREQ(header->channelSeq, "BGR");
        EXPECT_EQ(header->origin, kIplOriginBottomLeft);
        EXPECT_EQ(header->pixels, nullptr);
    }
}

TEST(IplCreateImageHeader, RefusesLayoutsItCannotComposite) {
    struct Case {
        int channels, alpha, depth, order, origin, align, width, height;
    };
    const Case cases[] = {
        {4, 0, kIplDepth8U, 0, 1, 4, 8, 8},
        {3, 1, kIplDepth8U, 0, 1, 4, 8, 8},
        {3, 0, 16, 0, 1, 4, 8, 8},
        {3, 0, kIplDepth8U, 1, 1, 4, 8, 8},
        {3, 0, kIplDepth8U, 0, 2, 4, 8, 8},
        {3, 0, kIplDepth8U, 0, 1, 3, 8, 8},
        {3, 0, kIplDepth8U, 0, 1, 4, 0, 8},
        {3, 0, kIplDepth8U, 0, 1, 4, 8, -1},
        {3, 0, kIplDepth8U, 0, 1, 4, 1 << 30, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(iplCreateImageHeader(c.channels, c.alpha, c.depth, "RGB", "BGR", c.order,
                                       c.origin, c.align, c.width, c.height),
                  nullptr);
    }
}

// Every alpha against every pair of values: the result is the nearest integer to the exact
// blend, warpedDst is untouched and so is the row padding.
TEST(IplAlphaCompositeC, PlusIsTheRoundedBlendForAllInputs) {
    MorphTestSet set(86, 256); // 258 bytes per row: every value F of one row, pad 2
    for (int32_t y = 0; y < 256; ++y) {
        for (int32_t i = 0; i < 258; ++i) {
            set.warpedDst.pixels[y * set.warpedDst.image.rowStride + i] = static_cast<uint8_t>(y);
        }
    }
    const std::vector<uint8_t> warpedBefore = set.warpedDst.pixels;
    for (int alpha = 0; alpha <= 255; ++alpha) {
        for (int32_t y = 0; y < 256; ++y) {
            uint8_t* row = set.frame.pixels.data() + y * set.frame.image.rowStride;
            for (int32_t i = 0; i < 258; ++i) {
                row[i] = static_cast<uint8_t>(i < 256 ? i : 0);
            }
            row[258] = row[259] = 0xA5; // padding
        }
        ASSERT_TRUE(iplAlphaCompositeC(set.frameIpl.get(), set.warpedDstIpl.get(),
                                       set.frameIpl.get(), kIplCompositePlus, alpha, 255 - alpha,
                                       false, false));
        for (int32_t d = 0; d < 256; ++d) {
            const uint8_t* row = set.frame.pixels.data() + d * set.frame.image.rowStride;
            for (int f = 0; f < 256; ++f) {
                const double exact = (alpha * f + (255 - alpha) * d) / 255.0;
                ASSERT_LE(std::fabs(row[f] - exact), 0.5) << alpha << " " << f << " " << d;
            }
            ASSERT_EQ(row[258], 0xA5);
            ASSERT_EQ(row[259], 0xA5);
        }
    }
    EXPECT_EQ(set.warpedDst.pixels, warpedBefore);
}

TEST(CrossDissolve, EndWeightsGiveOneImageUnchanged) {
    struct Case {
        int alpha;
        bool expectFrame; // true: the frame stays, false: it becomes warpedDst
    };
    for (const Case c : {Case{255, true}, Case{0, false}}) {
        MorphTestSet set(5, 3);
        set.frame.FillRandom(1);
        set.warpedDst.FillRandom(2);
        const std::vector<uint8_t> frame = set.frame.pixels;
        const std::vector<uint8_t> warped = set.warpedDst.pixels;
        CrossDissolve(set.frameIpl.get(), set.warpedDstIpl.get(), c.alpha);
        for (int32_t y = 0; y < 3; ++y) {
            for (int32_t i = 0; i < 15; ++i) {
                const std::size_t at = static_cast<std::size_t>(y) * set.frame.image.rowStride + i;
                EXPECT_EQ(set.frame.pixels[at], c.expectFrame ? frame[at] : warped[at]);
            }
        }
        EXPECT_EQ(set.warpedDst.pixels, warped);
    }
}

TEST(CrossDissolve, RefusesMissingOrMismatchedHeaders) {
    MorphTestSet set(4, 4);
    MorphTestSet other(5, 4);
    EXPECT_THROW(CrossDissolve(set.frameIpl.get(), nullptr, 10), std::invalid_argument);
    EXPECT_THROW(CrossDissolve(set.frameIpl.get(), other.warpedDstIpl.get(), 10),
                 std::invalid_argument);
    EXPECT_THROW(CrossDissolve(set.frameIpl.get(), set.warpedDstIpl.get(), 256),
                 std::invalid_argument);
    EXPECT_FALSE(iplAlphaCompositeC(set.frameIpl.get(), set.warpedDstIpl.get(), set.frameIpl.get(),
                                    4, 10, 245, false, false));
}

TEST(IplDeallocate, FreesTheHeaderAndLeavesThePixels) {
    OwnedImage owned(2, 2, 7);
    IplHeader* header = HeaderOver(owned).release();
    iplDeallocate(header, kIplFreeHeader);
    iplDeallocate(nullptr, kIplFreeHeader);
    EXPECT_EQ(owned.pixels, std::vector<uint8_t>(owned.pixels.size(), 7));
}

} // namespace
