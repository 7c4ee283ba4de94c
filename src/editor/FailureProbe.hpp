// What made a morph run fail with a zero divisor, found again after the fact
// from the same run meshes and lines the run used: the mesh nodes that coincide
// or cross along a mesh line, or the field lines of zero length, at the first
// frame where they occur.
#pragma once

#include "WarpState.hpp"

#include <vector>

// A place to ring in one of the editor's views, in image pixels.
struct FailureMark {
    bool left; // the left (source) view, else the right one
    Point centre;
    int radius;
};

// The run's parameters as the run driver had them.
struct RunShape {
    int workWidth, workHeight;
    double scale;
    int frames;
    bool warpOnly;
    int maxY; // of the full-size image
};

std::vector<FailureMark> MeshFailureMarks(const WarpObjStru& warp, const RunShape& run);
std::vector<FailureMark> FieldFailureMarks(const WarpObjStru& warp, const RunShape& run);
