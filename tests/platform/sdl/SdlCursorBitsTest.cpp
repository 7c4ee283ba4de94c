// The two-mask cursor form as SDL wants it: each kind of pixel, at both ends of a row.
#include "backends/sdl/SdlCursorBits.hpp"

#include <gtest/gtest.h>

namespace {

bool Bit(const std::array<uint8_t, 128>& bits, int x, int y) {
    return (bits[y * 4 + x / 8] >> (7 - x % 8)) & 1;
}

TEST(SdlCursorBits, EachPixelKindKeepsItsLookAndPlace) {
    struct Case {
        const char* kind;
        bool andBit, xorBit; // desktop form
        bool data, mask;     // SDL form
    } cases[] = {
        {"transparent", true, false, false, false},
        {"black", false, false, true, true},
        {"white", false, true, false, true},
        {"inverting", true, true, true, false},
    };
    for (const Case& c : cases)
        for (int x : {0, 7, 8, 31}) {
            TCursorShape shape;
            shape.andMask.fill(0xFFFFFFFFu); // all transparent but one pixel of row 5
            uint32_t bit = 1u << (31 - x);
            shape.andMask[5] = c.andBit ? 0xFFFFFFFFu : ~bit;
            shape.xorMask[5] = c.xorBit ? bit : 0;
            SdlCursorBits sdl = ToSdlCursorBits(shape);
            EXPECT_EQ(Bit(sdl.data, x, 5), c.data) << c.kind << " at x " << x;
            EXPECT_EQ(Bit(sdl.mask, x, 5), c.mask) << c.kind << " at x " << x;
            for (int y : {4, 6})
                EXPECT_FALSE(Bit(sdl.data, x, y) || Bit(sdl.mask, x, y)) << c.kind << " row " << y;
            int other = x == 0 ? 1 : x - 1;
            EXPECT_FALSE(Bit(sdl.data, other, 5) || Bit(sdl.mask, other, 5)) << c.kind;
        }
}

} // namespace
