#pragma once

#include "FieldLineSet.hpp"
#include "WorkImage.hpp"

// Feature-line field warp: writes every pixel of out (rows from the bottom, row padding left
// unwritten) by sampling image, whose control lines are fromLines, at the position the field
// of the lines moved the fraction t of the way towards toLines gives. Each line pulls with the
// weight (len^0.75 / (0.001 + distance))^2 of its interpolated counterpart. image and out are
// distinct images of one geometry; both sets have the same count. Throws RunFailure when the
// set is empty or a line has zero length (an interpolated one before any pixel is written),
// std::invalid_argument for mismatched inputs.
void FieldWarp(const WorkImage& image, const WorkImage& out, const FieldLineSet& fromLines,
               const FieldLineSet& toLines, double t);
