#include "FailureProbe.hpp"

#include "FieldLineSet.hpp"
#include "FieldWarpLines.hpp"
#include "MeshFolds.hpp"
#include "MorphSchedule.hpp"
#include "RunMeshes.hpp"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace {

constexpr int kNodeRing = 12;

std::vector<MeshSegment> Folds(const MeshGrid& grid, int cols, int rows) {
    std::vector<MeshSegment> folds;
    FindFolds(
        cols, rows, [&grid](int k, int r) { return grid.X(r, k); },
        [&grid](int k, int r) { return grid.Y(r, k); }, folds);
    return folds;
}

// Rings the two nodes of each segment in the chosen views.
std::vector<FailureMark> NodeMarks(const WarpObjStru& warp, const std::vector<MeshSegment>& folds,
                                   bool left, bool right) {
    std::set<int> nodes;
    for (const MeshSegment& s : folds) {
        nodes.insert(MeshIndex(s.k, s.r));
        nodes.insert(s.vertical ? MeshIndex(s.k, s.r + 1) : MeshIndex(s.k + 1, s.r));
    }
    std::vector<FailureMark> marks;
    for (int at : nodes) {
        if (left)
            marks.push_back(FailureMark{true, warp.MeshSrc[at], kNodeRing});
        if (right)
            marks.push_back(FailureMark{false, warp.MeshDst[at], kNodeRing});
    }
    return marks;
}

// A ring around the stored line from a to b.
FailureMark LineMark(bool left, Point a, Point b) {
    const double length = std::hypot(double(b.x) - a.x, double(b.y) - a.y);
    return FailureMark{left, Point{(a.x + b.x) / 2, (a.y + b.y) / 2},
                       std::max(kNodeRing, static_cast<int>(length / 2) + 6)};
}

} // namespace

std::vector<FailureMark> MeshFailureMarks(const WarpObjStru& warp, const RunShape& run) {
    const int cols = warp.MeshCols, rows = warp.MeshRows;
    if (cols == 0)
        return {};
    const RunMeshes meshes = BuildRunMeshes(warp.MeshSrc, warp.MeshDst, cols, rows, run.workWidth,
                                            run.workHeight, run.scale);
    MeshGrid mid(meshes.src.cols, meshes.src.rows);
    const MorphSchedule schedule(run.frames, run.warpOnly);
    // In the order the run warps: the start mesh with the frame's, then the final one.
    for (int64_t i = 1; i <= schedule.Count(); ++i) {
        const FrameTime time = schedule.At(i);
        InterpolateMidMesh(meshes.src, meshes.dst, time.s, time.t, mid);
        if (auto folds = Folds(meshes.src, cols, rows); !folds.empty())
            return NodeMarks(warp, folds, true, false);
        if (auto folds = Folds(mid, cols, rows); !folds.empty())
            return NodeMarks(warp, folds, true, true);
        if (run.warpOnly)
            continue;
        if (auto folds = Folds(meshes.dst, cols, rows); !folds.empty())
            return NodeMarks(warp, folds, false, true);
    }
    return {};
}

std::vector<FailureMark> FieldFailureMarks(const WarpObjStru& warp, const RunShape& run) {
    FieldLineSet srcLines, dstLines;
    BuildFieldLineSets(warp.FieldSrc, warp.FieldDst, warp.FieldPointCount, run.maxY, run.scale,
                       srcLines, dstLines);
    // The store's slot where line k starts, in the order the lines were cut.
    std::vector<int> slotOf;
    for (int i = 0; i + 1 < warp.FieldPointCount; ++i)
        if (warp.FieldSrc[i].x != BREAK_MARK && warp.FieldSrc[i + 1].x != BREAK_MARK)
            slotOf.push_back(i);
    const MorphSchedule schedule(run.frames, run.warpOnly);
    for (int64_t i = 1; i <= schedule.Count(); ++i) {
        const FrameTime time = schedule.At(i);
        const std::pair<const FieldLineSet*, const FieldLineSet*> directions[2] = {
            {&srcLines, &dstLines}, {&dstLines, &srcLines}};
        for (int d = 0; d < (run.warpOnly ? 1 : 2); ++d) {
            const FieldLineSet& from = *directions[d].first;
            const FieldLineSet& to = *directions[d].second;
            std::vector<FailureMark> marks;
            for (int k = 0; k < from.count; ++k) {
                const FieldLine moved =
                    InterpolateFieldLine(from.lines[k], to.lines[k], d == 0 ? time.t : time.s);
                if (moved.lenSq != 0 && from.lines[k].lenSq != 0)
                    continue;
                const int at = slotOf[k];
                marks.push_back(LineMark(true, warp.FieldSrc[at], warp.FieldSrc[at + 1]));
                marks.push_back(LineMark(false, warp.FieldDst[at], warp.FieldDst[at + 1]));
            }
            if (!marks.empty())
                return marks;
        }
    }
    return {};
}
