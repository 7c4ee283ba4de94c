#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "CrossDissolve.hpp"
#include "ImageCompare.hpp"
#include "IplAlphaComposite.hpp"
#include "IplAlphaCompositeFast.hpp"
#include "MorphTestSet.hpp"
#include "TestSchedules.hpp"

namespace {

struct Size {
    int32_t width;
    int32_t height;
};

// Sizes of one pixel, one row or column, every row padding, and rows longer than a vector
// but not a multiple of it.
const Size kSizes[] = {{1, 1}, {1, 9}, {9, 1},  {2, 3},  {7, 5},   {5, 4},
                       {6, 3}, {3, 6}, {33, 2}, {71, 9}, {200, 13}};

// The fast dissolve gives the reference's bytes for every size, weight and schedule, and
// leaves the padding and the warped final image alone.
TEST(CrossDissolveFast, MatchesTheReferenceByteForByte) {
    for (const Size size : kSizes) {
        for (const int alpha : {0, 1, 23, 127, 128, 231, 254, 255}) {
            MorphTestSet expected(size.width, size.height);
            expected.frame.FillRandom(static_cast<uint32_t>(size.width + 7 * alpha));
            expected.warpedDst.FillRandom(static_cast<uint32_t>(size.height + 11 * alpha));
            expected.frame.pixels.back() = 0xA5; // padding, where a row has some
            CrossDissolve(expected.frameIpl.get(), expected.warpedDstIpl.get(), alpha);
            for (const NamedSchedule& s : TestSchedules()) {
                MorphTestSet actual(size.width, size.height);
                actual.frame.FillRandom(static_cast<uint32_t>(size.width + 7 * alpha));
                actual.warpedDst.FillRandom(static_cast<uint32_t>(size.height + 11 * alpha));
                actual.frame.pixels.back() = 0xA5;
                const std::vector<uint8_t> warpedBefore = actual.warpedDst.pixels;
                CrossDissolveFast(actual.frameIpl.get(), actual.warpedDstIpl.get(), alpha,
                                  s.schedule);
                ASSERT_EQ(FirstDifference(expected.frame, actual.frame), "")
                    << size.width << "x" << size.height << " alpha " << alpha << ", " << s.name;
                ASSERT_EQ(actual.warpedDst.pixels, warpedBefore);
            }
        }
    }
}

// The fast composite refuses what the reference refuses and then writes nothing.
TEST(IplAlphaCompositeCFast, RefusesWhatTheReferenceRefuses) {
    MorphTestSet set(4, 4);
    MorphTestSet other(5, 4);
    set.frame.FillRandom(1);
    struct Case {
        const char* name;
        const IplHeader* a;
        const IplHeader* b;
        int type;
        int alphaA;
        int alphaB;
        bool premul;
        bool divide;
    };
    const Case cases[] = {
        {"missing header", set.frameIpl.get(), nullptr, kIplCompositePlus, 10, 245, false, false},
        {"other size", set.frameIpl.get(), other.warpedDstIpl.get(), kIplCompositePlus, 10, 245,
         false, false},
        {"other type", set.frameIpl.get(), set.warpedDstIpl.get(), 4, 10, 245, false, false},
        {"alpha above 255", set.frameIpl.get(), set.warpedDstIpl.get(), kIplCompositePlus, 256, 0,
         false, false},
        {"negative alpha", set.frameIpl.get(), set.warpedDstIpl.get(), kIplCompositePlus, 10, -1,
         false, false},
        {"premultiplied", set.frameIpl.get(), set.warpedDstIpl.get(), kIplCompositePlus, 10, 245,
         true, false},
        {"divide mode", set.frameIpl.get(), set.warpedDstIpl.get(), kIplCompositePlus, 10, 245,
         false, true},
    };
    const std::vector<uint8_t> before = set.frame.pixels;
    for (const Case& c : cases) {
        EXPECT_FALSE(iplAlphaCompositeC(c.a, c.b, set.frameIpl.get(), c.type, c.alphaA, c.alphaB,
                                        c.premul, c.divide))
            << c.name;
        for (const NamedSchedule& s : TestSchedules()) {
            EXPECT_FALSE(iplAlphaCompositeCFast(c.a, c.b, set.frameIpl.get(), c.type, c.alphaA,
                                                c.alphaB, c.premul, c.divide, s.schedule))
                << c.name << ", " << s.name;
        }
        EXPECT_EQ(set.frame.pixels, before) << c.name;
    }
    EXPECT_THROW(CrossDissolveFast(set.frameIpl.get(), nullptr, 10), std::invalid_argument);
}

} // namespace
