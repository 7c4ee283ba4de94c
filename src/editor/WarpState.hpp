// WarpObjStru: everything the user builds while one editor window is open
// (method, mesh, field lines and the handles of the vector objects that draw
// them), and DibInfo, the description of a working bitmap's pixels.
#pragma once

#include "Point.hpp"

#include <cstdint>

// A vector-object handle, meaningful only in the view that issued it.
using ObjHandle = int32_t;

constexpr int kMeshSide = 102;                    // nodes per side of the mesh arrays
constexpr int kMeshCells = kMeshSide * kMeshSide; // element [a][b] at a * kMeshSide + b
constexpr int kFieldCapacity = 1024;              // entries of the field arrays
constexpr int kMaxFieldPoints = 1002;             // FieldPointCount never exceeds this

// The morph method the editor edits and runs, stored as the int32 0 or 1.
enum class MorphMethod : int32_t { Mesh = 0, Field = 1 };

inline bool SamePoint(Point a, Point b) {
    return a.x == b.x && a.y == b.y;
}

// Flat index of element [a][b] of a [102][102] array.
constexpr int MeshIndex(int a, int b) {
    return a * kMeshSide + b;
}

struct WarpObjStru {
    MorphMethod Mode = MorphMethod::Mesh;
    int32_t LeftDownX, LeftUpX, LeftDownY, LeftUpY;
    int32_t RightDownX, RightUpX, RightDownY, RightUpY;
    ObjHandle LeftCursorMark, RightCursorMark;
    int32_t FieldPointCount = 0;
    bool FieldAddMode = true;
    Point FieldSrc[kFieldCapacity];
    Point FieldDst[kFieldCapacity];
    ObjHandle FieldSegLeft[kFieldCapacity];
    ObjHandle FieldMarkLeft[kFieldCapacity];
    ObjHandle FieldSegRight[kFieldCapacity];
    ObjHandle FieldMarkRight[kFieldCapacity];
    int32_t MeshCols = 0; // inner vertical lines; 0 means no mesh
    int32_t MeshRows = 0; // inner horizontal lines
    Point MeshSrc[kMeshCells];
    Point MeshDst[kMeshCells];
    ObjHandle MeshVLineLeft[kMeshCells];
    ObjHandle MeshHLineLeft[kMeshCells];
    ObjHandle MeshNodeLeft[kMeshCells];
    ObjHandle MeshVLineRight[kMeshCells];
    ObjHandle MeshHLineRight[kMeshCells];
    ObjHandle MeshNodeRight[kMeshCells];

    // A fresh record: no mesh, no field points, every field entry a break.
    WarpObjStru() {
        for (int i = 0; i < kFieldCapacity; ++i) {
            FieldSrc[i] = Point{BREAK_MARK, 0};
            FieldDst[i] = Point{BREAK_MARK, 0};
        }
    }
};

// Bit count, size and pixel memory of a bitmap section.
struct DibInfo {
    uint16_t BitCount = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    uint8_t* Bits = nullptr;
    uint8_t* BitsOrigin = nullptr; // the same value as Bits
    bool Is24Bit = false;
};
