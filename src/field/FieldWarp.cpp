#include "FieldWarp.hpp"

#include "FieldWarpLines.hpp"
#include "SamplePixel.hpp"

void FieldWarp(const WorkImage& image, const WorkImage& out, const FieldLineSet& fromLines,
               const FieldLineSet& toLines, double t) {
    RequireFieldWarpInputs(image, out, fromLines, toLines);
    MovedLines moved;
    MoveFieldLines(fromLines, toLines, t, moved);

    for (int32_t y = 0; y < image.height; ++y) {
        uint8_t* pixel = RowFromBottom(out, y);
        for (int32_t x = 0; x < image.width; ++x) {
            double sx = 0.0;
            double sy = 0.0;
            FieldSourcePosition(moved, fromLines, x, y, sx, sy);
            SamplePixel(image, pixel, sx, sy);
            pixel += 3;
        }
    }
}
