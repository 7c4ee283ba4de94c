// What a geometry file keeps of an editor window: the frame sizes it was made
// for, the method, both meshes, the field lines and the settings of a run, in
// image pixel coordinates.
#pragma once

#include "WarpState.hpp"

#include <vector>

struct GeometryRecord {
    int width = 0, height = 0; // of the start frame
    MorphMethod method = MorphMethod::Mesh;
    int meshColumns = 0, meshRows = 0;     // 0 x 0: no mesh
    std::vector<Point> meshSrc, meshDst;   // inner nodes, column by column, each top to bottom
    std::vector<Point> fieldSrc, fieldDst; // the point store up to FieldPointCount, breaks included
    bool linear = true;                    // "Linear", else "Catmull-Rom"
    bool moveBoth = false;                 // "Move src. & dest."
    int frames = 12, delay = 10;
    double leftZoom = 100, rightZoom = 100;
};

// The version this build writes and the newest it reads.
inline constexpr int kGeometryVersion = 1;
