#pragma once

#include <cstdint>

// Side of the state record's node arrays: node [c][r] is element c * kMeshArraySide + r.
inline constexpr int32_t kMeshArraySide = 102;

// Element of node [c][r] in a stored node array.
inline constexpr int32_t MeshNodeIndex(int32_t c, int32_t r) {
    return c * kMeshArraySide + r;
}
