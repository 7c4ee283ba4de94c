#pragma once

#include <cstdint>
#include <span>

#include "FitDestination.hpp"
#include "FitStatus.hpp"
#include "Point.hpp"
#include "WorkImage.hpp"

// Fitting the field: each destination point goes where the picture content under its source
// point went. The point arrays are the stored ones, pointCount entries (0 .. 1024, other
// counts throw std::invalid_argument), with breaks (x = BREAK_MARK) at the same entries of
// both.
//
// A fit never turns a line around: where fitted end points would leave a destination line
// pointing against its source line, or across it (a line of zero length counts as one pixel
// down and right, as the run reads it), the fitted ends of that line keep their place instead.
// Such a line could collapse to a point in an in-between frame and fail the run.

// Writes to fittedDst (pointCount entries; it may be fieldDst itself) the destination points
// after a fit whose matches, one per entry (breaks included, their matches ignored), were
// measured from fieldSrc: reliable matches rounded to whole pixels, every other entry as in
// fieldDst. Throws std::invalid_argument when there are fewer matches than entries.
FitCount PlaceFittedField(const Point* fieldSrc, const Point* fieldDst, int32_t pointCount,
                          std::span<const FitMatch> matches, Point* fittedDst);

// Measures the matches of the source points from src to dst (FitDestination) and places them
// (PlaceFittedField). fieldSrc is only read.
FitCount FitFieldDestination(const WorkImage& src, const WorkImage& dst, const Point* fieldSrc,
                             const Point* fieldDst, int32_t pointCount, Point* fittedDst);
