#include "MeshFit.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "MeshNodes.hpp"

namespace {

constexpr int32_t kMaxMeshLines = kMeshArraySide - 2;
constexpr size_t kArrayNodes = static_cast<size_t>(kMeshArraySide) * kMeshArraySide;

void RequireCounts(int32_t cols, int32_t rows) {
    if (cols < 1 || cols > kMaxMeshLines || rows < 1 || rows > kMaxMeshLines) {
        throw std::invalid_argument("a mesh to fit needs 1 to 100 inner lines each way");
    }
}

int32_t NearestPixel(double value) {
    return static_cast<int32_t>(std::lround(value));
}

// Orders one mesh line (node indices from border to border) on one axis, as the header says.
// Fitted nodes without room between their fixed neighbours are made fixed; returns whether any
// was, since their old positions then change what the crossing lines must fit around.
bool OrderLine(std::span<const int32_t> line, int32_t Point::*axis, std::vector<Point>& placed,
               std::vector<uint8_t>& fitted) {
    bool madeFixed = false;
    size_t low = 0; // line[0] is a border node, always fixed
    for (size_t high = 1; high < line.size(); ++high) {
        if (fitted[line[high]] != 0) {
            continue;
        }
        const int64_t between = static_cast<int64_t>(high - low) - 1;
        const int32_t lowValue = placed[line[low]].*axis;
        const int32_t highValue = placed[line[high]].*axis;
        if (between > 0 && int64_t{highValue} - lowValue < between + 1) {
            for (size_t i = low + 1; i < high; ++i) {
                fitted[line[i]] = 0;
            }
            madeFixed = true;
        } else if (between > 0) {
            int32_t before = lowValue;
            for (size_t i = low + 1; i < high; ++i) {
                int32_t& value = placed[line[i]].*axis;
                value = std::max(value, before + 1);
                before = value;
            }
            int32_t after = highValue;
            for (size_t i = high - 1; i > low; --i) {
                int32_t& value = placed[line[i]].*axis;
                value = std::min(value, after - 1);
                after = value;
            }
        }
        low = high;
    }
    return madeFixed;
}

// The coordinate across a line (x for a mesh column, y for a mesh row) at the position p along
// it, on the straight segment from node segment to node segment + 1, as the warp's linear
// interpolation reads it.
double AcrossAt(std::span<const int32_t> line, size_t segment, int32_t Point::*along,
                int32_t Point::*across, const std::vector<Point>& placed, int32_t p) {
    const Point& a = placed[line[segment]];
    const Point& b = placed[line[segment + 1]];
    const double acrossA = a.*across;
    const double alongA = a.*along;
    return acrossA + (b.*across - acrossA) * (p - alongA) / (b.*along - alongA);
}

// True when the nodes of line rise strictly along it.
bool Rising(std::span<const int32_t> line, int32_t Point::*along,
            const std::vector<Point>& placed) {
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        if (placed[line[i + 1]].*along <= placed[line[i]].*along) {
            return false;
        }
    }
    return true;
}

// Keeps two neighbouring lines (both in order along their length) at least a pixel apart at
// every pixel position along them, read as the warp reads them: between their nodes too, where
// a line kinked round a node that kept its place could cross its neighbour. The fitted nodes
// at the ends of the two segments where they first come closer are made fixed and put back;
// returns whether any was.
bool KeepApart(std::span<const int32_t> first, std::span<const int32_t> second,
               int32_t Point::*along, int32_t Point::*across, const std::vector<Point>& before,
               std::vector<Point>& placed, std::vector<uint8_t>& fitted) {
    if (!Rising(first, along, placed) || !Rising(second, along, placed)) {
        return false; // out of order before the fit: not a fold the fit made
    }
    const int32_t from = std::max(placed[first.front()].*along, placed[second.front()].*along);
    const int32_t to = std::min(placed[first.back()].*along, placed[second.back()].*along);
    size_t a = 0;
    size_t b = 0;
    for (int32_t p = from; p <= to; ++p) {
        while (placed[first[a + 1]].*along < p) {
            ++a;
        }
        while (placed[second[b + 1]].*along < p) {
            ++b;
        }
        const double gap = AcrossAt(second, b, along, across, placed, p) -
                           AcrossAt(first, a, along, across, placed, p);
        if (gap >= 1.0) {
            continue;
        }
        bool madeFixed = false;
        for (int32_t node : {first[a], first[a + 1], second[b], second[b + 1]}) {
            if (fitted[node] != 0) {
                fitted[node] = 0;
                placed[node] = before[node];
                madeFixed = true;
            }
        }
        if (madeFixed) {
            return true; // the two lines changed: the next round looks at them again
        }
    }
    return false;
}

} // namespace

std::vector<Point> InnerMeshNodes(const Point* mesh, int32_t cols, int32_t rows) {
    RequireCounts(cols, rows);
    std::vector<Point> nodes;
    nodes.reserve(static_cast<size_t>(cols) * rows);
    for (int32_t k = 1; k <= cols; ++k) {
        for (int32_t r = 1; r <= rows; ++r) {
            nodes.push_back(mesh[MeshNodeIndex(k, r)]);
        }
    }
    return nodes;
}

FitCount PlaceFittedMesh(const Point* meshDst, int32_t cols, int32_t rows,
                         std::span<const FitMatch> matches, Point* fittedDst) {
    RequireCounts(cols, rows);
    if (matches.size() != static_cast<size_t>(cols) * rows) {
        throw std::invalid_argument("a mesh fit needs one match per inner node");
    }
    const std::vector<Point> before(meshDst, meshDst + kArrayNodes);
    std::vector<Point> matched = before;
    std::vector<uint8_t> fitted(kArrayNodes, 0);
    for (int32_t k = 1; k <= cols; ++k) {
        for (int32_t r = 1; r <= rows; ++r) {
            const FitMatch& match = matches[static_cast<size_t>(k - 1) * rows + (r - 1)];
            if (match.reliable) {
                matched[MeshNodeIndex(k, r)] = {NearestPixel(match.x), NearestPixel(match.y)};
                fitted[MeshNodeIndex(k, r)] = 1;
            }
        }
    }

    std::vector<std::vector<int32_t>> lines; // each mesh row's nodes, then each column's
    for (int32_t r = 1; r <= rows; ++r) {
        lines.emplace_back();
        for (int32_t k = 0; k <= cols + 1; ++k) {
            lines.back().push_back(MeshNodeIndex(k, r));
        }
    }
    for (int32_t k = 1; k <= cols; ++k) {
        lines.emplace_back();
        for (int32_t r = 0; r <= rows + 1; ++r) {
            lines.back().push_back(MeshNodeIndex(k, r));
        }
    }

    // Each round starts afresh from the matches of the nodes still fitted; a round that fixes
    // a node calls for another. The fitted nodes only ever decrease, so the rounds end.
    std::vector<Point> placed;
    bool again = true;
    while (again) {
        placed = before;
        for (size_t i = 0; i < kArrayNodes; ++i) {
            if (fitted[i] != 0) {
                placed[i] = matched[i];
            }
        }
        again = false;
        for (size_t l = 0; l < lines.size(); ++l) {
            again |= OrderLine(lines[l], l < static_cast<size_t>(rows) ? &Point::x : &Point::y,
                               placed, fitted);
        }
        if (again) {
            continue;
        }
        for (size_t l = 0; l + 1 < lines.size(); ++l) {
            if (l + 1 < static_cast<size_t>(rows)) {
                again |=
                    KeepApart(lines[l], lines[l + 1], &Point::x, &Point::y, before, placed, fitted);
            } else if (l >= static_cast<size_t>(rows)) {
                again |=
                    KeepApart(lines[l], lines[l + 1], &Point::y, &Point::x, before, placed, fitted);
            }
        }
    }

    FitCount count{0, 0, cols * rows};
    for (size_t i = 0; i < kArrayNodes; ++i) {
        if (fitted[i] != 0) {
            ++count.fitted;
            if (placed[i].x != matched[i].x || placed[i].y != matched[i].y) {
                ++count.held;
            }
        }
    }
    std::copy(placed.begin(), placed.end(), fittedDst);
    return count;
}

FitCount FitMeshDestination(const WorkImage& src, const WorkImage& dst, const Point* meshSrc,
                            const Point* meshDst, int32_t cols, int32_t rows, Point* fittedDst) {
    const std::vector<Point> sourceNodes = InnerMeshNodes(meshSrc, cols, rows);
    const std::vector<FitMatch> matches = FitDestination(src, dst, sourceNodes);
    return PlaceFittedMesh(meshDst, cols, rows, matches, fittedDst);
}
