#pragma once

#include <array>
#include <cstdint>

#include "FieldLine.hpp"
#include "Point.hpp"

// Entries of the state record's field point arrays; a set never holds more lines.
inline constexpr int32_t kFieldLineCapacity = 1024;

// A fixed-capacity set of field lines, so that warping a frame allocates nothing.
struct FieldLineSet {
    std::array<FieldLine, kFieldLineCapacity> lines; // the first count entries are used
    int32_t count = 0;                               // lines in use
};

// Cuts the stored polylines into lines: entry k of both sets joins the same pair of
// consecutive points i, i + 1 of fieldSrc and fieldDst (each pointCount entries) where
// neither fieldSrc[i] nor fieldSrc[i + 1] is a break (x = BREAK_MARK; both arrays break at the
// same indices). The last point starts no line. Throws std::invalid_argument when pointCount
// exceeds kFieldLineCapacity.
void BuildFieldLineSets(const Point* fieldSrc, const Point* fieldDst, int32_t pointCount,
                        int32_t maxY, double scale, FieldLineSet& srcLines, FieldLineSet& dstLines);
