#pragma once

#include <span>
#include <vector>

#include "Point.hpp"
#include "WorkImage.hpp"

// Where the picture content under one source point went in the final image.
struct FitMatch {
    double x;      // column in the final image, from the left
    double y;      // row in the final image, from the top
    bool reliable; // false: no trustworthy match (flat or occluded area, outside the common
                   // area, or the match back does not return); x and y are then meaningless
};

// Follows the picture content under each source point (image pixels, rows from the top) from
// the start image src to the final image dst by pyramidal Lucas-Kanade optical flow, and checks
// each match by following it back: a match counts as reliable only when the way back lands
// within half a pixel of where it started. Images of different sizes are compared on their
// common area, anchored at the top-left pixel; a point outside it has no match. The result has
// one entry per source point, in order. The images are read in place. Throws
// std::invalid_argument for an image without pixels or with a row stride that does not hold
// its row, and std::runtime_error when the optical flow itself fails.
std::vector<FitMatch> FitDestination(const WorkImage& src, const WorkImage& dst,
                                     std::span<const Point> sourcePoints);
