#include "FieldFit.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

constexpr int32_t kMaxFieldEntries = 1024;

void RequireCount(int32_t pointCount) {
    if (pointCount < 0 || pointCount > kMaxFieldEntries) {
        throw std::invalid_argument("a field to fit holds 0 to 1024 entries");
    }
}

bool IsBreak(const Point& p) {
    return p.x == BREAK_MARK;
}

// From p to q, with a line of zero length read as one pixel down and right.
Point Direction(const Point& p, const Point& q) {
    const Point d{q.x - p.x, q.y - p.y};
    return d.x == 0 && d.y == 0 ? Point{1, 1} : d;
}

bool SameWay(const Point& a, const Point& b) {
    return int64_t{a.x} * b.x + int64_t{a.y} * b.y > 0;
}

} // namespace

FitCount PlaceFittedField(const Point* fieldSrc, const Point* fieldDst, int32_t pointCount,
                          std::span<const FitMatch> matches, Point* fittedDst) {
    RequireCount(pointCount);
    if (matches.size() < static_cast<size_t>(pointCount)) {
        throw std::invalid_argument("a field fit needs one match per entry");
    }
    const std::vector<Point> before(fieldDst, fieldDst + pointCount);
    std::vector<Point> placed = before;
    std::vector<uint8_t> fitted(static_cast<size_t>(pointCount), 0);
    FitCount count;
    for (int32_t i = 0; i < pointCount; ++i) {
        if (IsBreak(fieldSrc[i])) {
            continue;
        }
        ++count.total;
        if (matches[i].reliable) {
            placed[i] = {static_cast<int32_t>(std::lround(matches[i].x)),
                         static_cast<int32_t>(std::lround(matches[i].y))};
            fitted[i] = 1;
        }
    }

    // Giving a point back its place can turn its other line; repeat until no line turns.
    bool again = true;
    while (again) {
        again = false;
        for (int32_t i = 0; i + 1 < pointCount; ++i) {
            const bool line = !IsBreak(fieldSrc[i]) && !IsBreak(fieldSrc[i + 1]);
            if (!line || (fitted[i] == 0 && fitted[i + 1] == 0)) {
                continue;
            }
            if (!SameWay(Direction(fieldSrc[i], fieldSrc[i + 1]),
                         Direction(placed[i], placed[i + 1]))) {
                for (int32_t end : {i, i + 1}) {
                    fitted[end] = 0;
                    placed[end] = before[end];
                }
                again = true;
            }
        }
    }

    count.fitted = static_cast<int32_t>(std::count(fitted.begin(), fitted.end(), uint8_t{1}));
    std::copy(placed.begin(), placed.end(), fittedDst);
    return count;
}

FitCount FitFieldDestination(const WorkImage& src, const WorkImage& dst, const Point* fieldSrc,
                             const Point* fieldDst, int32_t pointCount, Point* fittedDst) {
    RequireCount(pointCount);
    const std::vector<FitMatch> matches =
        FitDestination(src, dst, std::span<const Point>(fieldSrc, pointCount));
    return PlaceFittedField(fieldSrc, fieldDst, pointCount, matches, fittedDst);
}
