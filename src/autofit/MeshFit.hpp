#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "FitDestination.hpp"
#include "FitStatus.hpp"
#include "Point.hpp"
#include "WorkImage.hpp"

// Fitting a mesh: its inner destination nodes go where the picture content under the matching
// source nodes went. Node arrays are the stored ones (kMeshArraySide x kMeshArraySide, node
// [c][r] at MeshNodeIndex(c, r)) with cols x rows inner lines, 1 .. 100 each; other counts
// throw std::invalid_argument.
//
// A fit never folds the mesh. Along each mesh row the x of the nodes, and along each mesh
// column their y, must rise by at least a pixel from node to node. Nodes that keep their
// place (border nodes and nodes without a reliable match) are fixed; between two fixed nodes
// of a line the fitted nodes are clamped, first pushed up to one pixel past the node before,
// then down to one pixel short of the node after. Where two fixed nodes leave too little room
// for the fitted nodes between them, those nodes keep their place instead, and the lines
// through them are ordered again. So every pair of neighbours with a fitted node is in order;
// a pair out of order before the fit stays as it was.
//
// Order at the nodes is not all the warp needs: it reads each line as straight segments from
// node to node at every pixel, and a line kinked round a node that kept its place can cross
// its neighbour between two nodes. So two neighbouring lines must also stay at least a pixel
// apart at every pixel along them; where they come closer, the fitted nodes at the ends of the
// two segments keep their place, and the mesh is ordered again.

// The inner nodes of a mesh, column by column (k = 1 .. cols, within it r = 1 .. rows): the
// order PlaceFittedMesh expects its matches in.
std::vector<Point> InnerMeshNodes(const Point* mesh, int32_t cols, int32_t rows);

// Writes to fittedDst (a whole node array; it may be meshDst itself) the destination mesh
// after a fit whose matches, one per inner node in InnerMeshNodes order, were measured from
// the source nodes: reliable matches rounded to whole pixels and clamped as above, every other
// node as in meshDst. Throws std::invalid_argument when the number of matches is not
// cols x rows.
FitCount PlaceFittedMesh(const Point* meshDst, int32_t cols, int32_t rows,
                         std::span<const FitMatch> matches, Point* fittedDst);

// Measures the matches of the inner source nodes from src to dst (FitDestination) and places
// them (PlaceFittedMesh). meshSrc is only read.
FitCount FitMeshDestination(const WorkImage& src, const WorkImage& dst, const Point* meshSrc,
                            const Point* meshDst, int32_t cols, int32_t rows, Point* fittedDst);
