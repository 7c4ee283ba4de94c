// Where a mesh folds: segments of its inner lines whose far node does not lie
// beyond the near one (along a vertical line the lower node at or above the
// upper, along a horizontal line the right node at or left of the left). Such a
// mesh warps folded and smeared, and nodes that coincide make a run fail.
#pragma once

#include <cstdint>
#include <vector>

// Segment [k][r] of the mesh's segment arrays: vertical from node (k, r) to
// (k, r + 1), or horizontal from (k, r) to (k + 1, r).
struct MeshSegment {
    int32_t k, r;
    bool vertical;
    bool operator==(const MeshSegment&) const = default;
};

// The order FindFolds lists segments in: vertical ones by column then row, then
// horizontal ones by row then column.
inline bool FoldOrder(const MeshSegment& a, const MeshSegment& b) {
    if (a.vertical != b.vertical)
        return a.vertical;
    return a.vertical ? (a.k != b.k ? a.k < b.k : a.r < b.r) : (a.r != b.r ? a.r < b.r : a.k < b.k);
}

// Appends the folded segments of a mesh of cols x rows inner lines to out;
// nodeX(k, r) and nodeY(k, r) give node (k, r) for k 0..cols+1, r 0..rows+1.
template <class NodeX, class NodeY>
void FindFolds(int32_t cols, int32_t rows, NodeX nodeX, NodeY nodeY,
               std::vector<MeshSegment>& out) {
    for (int32_t k = 1; k <= cols; ++k)
        for (int32_t r = 0; r <= rows; ++r)
            if (nodeY(k, r + 1) <= nodeY(k, r))
                out.push_back(MeshSegment{k, r, true});
    for (int32_t r = 1; r <= rows; ++r)
        for (int32_t k = 0; k <= cols; ++k)
            if (nodeX(k + 1, r) <= nodeX(k, r))
                out.push_back(MeshSegment{k, r, false});
}
