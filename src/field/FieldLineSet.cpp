#include "FieldLineSet.hpp"

#include <stdexcept>

void BuildFieldLineSets(const Point* fieldSrc, const Point* fieldDst, int32_t pointCount,
                        int32_t maxY, double scale, FieldLineSet& srcLines,
                        FieldLineSet& dstLines) {
    if (pointCount > kFieldLineCapacity) {
        throw std::invalid_argument("too many field points");
    }
    srcLines.count = 0;
    dstLines.count = 0;
    for (int32_t i = 0; i + 1 < pointCount; ++i) {
        if (fieldSrc[i].x == BREAK_MARK || fieldSrc[i + 1].x == BREAK_MARK) {
            continue;
        }
        srcLines.lines[srcLines.count++] =
            FieldLineFromPoints(fieldSrc[i], fieldSrc[i + 1], maxY, scale);
        dstLines.lines[dstLines.count++] =
            FieldLineFromPoints(fieldDst[i], fieldDst[i + 1], maxY, scale);
    }
}
