#include "FieldWarpLines.hpp"

#include <stdexcept>

#include "RunFailure.hpp"

void RequireFieldWarpInputs(const WorkImage& image, const WorkImage& out, const FieldLineSet& from,
                            const FieldLineSet& to) {
    if (image.bits == nullptr || out.bits == nullptr || image.width <= 0 || image.height <= 0 ||
        image.rowStride < 3 * image.width || !SameGeometry(image, out)) {
        throw std::invalid_argument("field warp needs two images of one geometry");
    }
    if (from.count != to.count || from.count < 0 || from.count > kFieldLineCapacity) {
        throw std::invalid_argument("field warp needs two line sets of one count");
    }
}

void MoveFieldLines(const FieldLineSet& fromLines, const FieldLineSet& toLines, double t,
                    MovedLines& moved) {
    const int32_t count = fromLines.count;
    // With at least one line of non-zero length every weight is positive, so the weight sum
    // of a pixel is never zero.
    if (count == 0) {
        throw RunFailure("field warp: no control lines");
    }
    moved.lines.count = count;
    for (int32_t k = 0; k < count; ++k) {
        moved.lines.lines[k] = InterpolateFieldLine(fromLines.lines[k], toLines.lines[k], t);
        if (moved.lines.lines[k].lenSq == 0 || fromLines.lines[k].lenSq == 0) {
            throw RunFailure("field warp: a control line has zero length");
        }
        moved.lengthWeight[k] = std::pow(moved.lines.lines[k].len, kLengthPower);
    }
}
