#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "FieldWarp.hpp"
#include "Rounding.hpp"
#include "RunFailure.hpp"
#include "TestImages.hpp"

namespace {

constexpr int32_t kFar = (1 << 30) - 1;
constexpr uint8_t kUnwritten = 0x5A;

// A line between two points in working-image pixels, rows from the bottom.
FieldLine Line(int32_t px, int32_t py, int32_t qx, int32_t qy) {
    return FieldLineFromPoints({px, -py}, {qx, -qy}, 0, 1.0);
}

FieldLineSet Set(std::initializer_list<FieldLine> lines) {
    FieldLineSet set;
    for (const FieldLine& line : lines) {
        set.lines[set.count++] = line;
    }
    return set;
}

// Byte b of the pixel in column x, memory row r.
uint8_t& At(const WorkImage& image, int32_t x, int32_t r, int32_t b) {
    return RowFromBottom(image, r)[3 * x + b];
}

// The mean of the pixel's 2 x 2 block to the right and up, fewer at the last column and row.
uint8_t BlockMean(const WorkImage& image, int32_t x, int32_t r, int32_t b) {
    const int32_t x1 = x + 1 < image.width ? x + 1 : x;
    const int32_t r1 = r + 1 < image.height ? r + 1 : r;
    const double sum =
        At(image, x, r, b) + At(image, x1, r, b) + At(image, x, r1, b) + At(image, x1, r1, b);
    return static_cast<uint8_t>(RoundToInt(static_cast<float>(sum / 4.0)));
}

// Pixel bytes of an image that differ from the expected function, as "x,r,b" strings.
std::vector<std::string> Mismatches(const WorkImage& out,
                                    const std::function<uint8_t(int32_t, int32_t, int32_t)>& f) {
    std::vector<std::string> wrong;
    for (int32_t r = 0; r < out.height; ++r) {
        for (int32_t x = 0; x < out.width; ++x) {
            for (int32_t b = 0; b < 3; ++b) {
                if (At(out, x, r, b) != f(x, r, b)) {
                    wrong.push_back(std::to_string(x) + "," + std::to_string(r) + "," +
                                    std::to_string(b));
                }
            }
        }
    }
    return wrong;
}

// Lines that do not move leave every displacement at zero, so the half-pixel offset makes each
// pixel the mean of its 2 x 2 block; lines far outside the image change nothing.
TEST(FieldWarp, IdenticalLinesGiveTheBlockMean) {
    const FieldLineSet lineSets[] = {
        Set({Line(1, 1, 4, 3)}),
        Set({Line(0, 0, 6, 0), Line(2, 4, 2, 1)}),
        Set({Line(1, 1, 4, 3), Line(-kFar, -kFar, kFar, -kFar + 1),
             Line(kFar, kFar, kFar - 5, kFar)}),
    };
    struct Size {
        int32_t width;
        int32_t height;
    };
    for (const Size size : {Size{7, 5}, Size{1, 1}, Size{1, 5}, Size{5, 1}, Size{2, 2}}) {
        for (const FieldLineSet& lines : lineSets) {
            OwnedImage src(size.width, size.height);
            src.FillRandom(static_cast<uint32_t>(size.width * 10 + size.height));
            OwnedImage out(size.width, size.height, kUnwritten);
            FieldWarp(src.image, out.image, lines, lines, 0.3);
            EXPECT_EQ(
                Mismatches(out.image, [&](int32_t x, int32_t r,
                                          int32_t b) { return BlockMean(src.image, x, r, b); }),
                std::vector<std::string>())
                << size.width << "x" << size.height << " lines " << lines.count;
            for (int32_t r = 0; r < size.height; ++r) {
                for (int32_t i = 3 * size.width; i < out.image.rowStride; ++i) {
                    EXPECT_EQ(RowFromBottom(out.image, r)[i], kUnwritten) << "padding written";
                }
            }
        }
    }
}

// The rounded mean of two bytes.
uint8_t PairMean(const WorkImage& image, int32_t x0, int32_t r0, int32_t x1, int32_t r1,
                 int32_t b) {
    const double sum = At(image, x0, r0, b) + At(image, x1, r1, b);
    return static_cast<uint8_t>(RoundToInt(static_cast<float>(sum / 2.0)));
}

// A displacement that points outside the image samples the nearest border pixel, still half a
// pixel along the other axis.
TEST(FieldWarp, DisplacementOutsideSamplesTheBorder) {
    struct Case {
        const char* name;
        FieldLine from;
        FieldLine to;
        int32_t borderColumn; // column every pixel samples, or -1
        int32_t borderRow;    // memory row every pixel samples, or -1
    };
    const Case cases[] = {
        {"source far left", Line(0, 0, 0, 3), Line(100, 0, 100, 3), 0, -1},
        {"source far right", Line(100, 0, 100, 3), Line(0, 0, 0, 3), 4, -1},
        {"source far below", Line(0, 0, 3, 0), Line(0, 100, 3, 100), -1, 0},
    };
    for (const Case& c : cases) {
        OwnedImage src(5, 4);
        src.FillRandom(9);
        OwnedImage out(5, 4);
        FieldWarp(src.image, out.image, Set({c.from}), Set({c.to}), 1.0);
        const auto expected = [&](int32_t x, int32_t r, int32_t b) {
            if (c.borderColumn >= 0) {
                return PairMean(src.image, c.borderColumn, r, c.borderColumn, r < 3 ? r + 1 : r, b);
            }
            return PairMean(src.image, x, c.borderRow, x < 4 ? x + 1 : x, c.borderRow, b);
        };
        EXPECT_EQ(Mismatches(out.image, expected), std::vector<std::string>()) << c.name;
    }
}

TEST(FieldWarp, LineOfZeroLengthFailsBeforeAnyPixel) {
    OwnedImage src(6, 6);
    src.FillRandom(4);
    OwnedImage out(6, 6, kUnwritten);
    const std::vector<uint8_t> before = out.pixels;
    // Opposite lines over one segment meet in one pixel at t = 0.5.
    EXPECT_THROW(
        FieldWarp(src.image, out.image, Set({Line(1, 2, 5, 2)}), Set({Line(5, 2, 1, 2)}), 0.5),
        RunFailure);
    EXPECT_THROW(FieldWarp(src.image, out.image, Set({}), Set({}), 0.5), RunFailure);
    EXPECT_EQ(out.pixels, before);
}

TEST(FieldWarp, RejectsMismatchedInputs) {
    OwnedImage a(4, 4);
    OwnedImage b(4, 5);
    const FieldLineSet one = Set({Line(0, 0, 3, 3)});
    const FieldLineSet two = Set({Line(0, 0, 3, 3), Line(1, 0, 1, 3)});
    EXPECT_THROW(FieldWarp(a.image, b.image, one, one, 0.5), std::invalid_argument);
    EXPECT_THROW(FieldWarp(a.image, a.image, one, two, 0.5), std::invalid_argument);
}

} // namespace
