#include "SdlCursorBits.hpp"

SdlCursorBits ToSdlCursorBits(const TCursorShape& shape) {
    SdlCursorBits bits;
    for (int row = 0; row < 32; ++row) {
        uint32_t a = shape.andMask[row], x = shape.xorMask[row];
        uint32_t data = ~(a ^ x), mask = ~a;
        for (int b = 0; b < 4; ++b) {
            int shift = 24 - 8 * b;
            bits.data[row * 4 + b] = static_cast<uint8_t>(data >> shift);
            bits.mask[row * 4 + b] = static_cast<uint8_t>(mask >> shift);
        }
    }
    return bits;
}
