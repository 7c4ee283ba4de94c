// Fuzz target: the geometry file reader on any bytes. It either returns a record
// the editor can restore as it is (counts and lists that agree, coordinates and
// settings in range, no more entries than the point store holds, polylines of
// two points at least) or refuses with one GeometryError; nothing else escapes.
#include "GeometryJson.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Fault(const std::string& what) {
    std::fprintf(stderr, "geometry parse: %s\n", what.c_str());
    std::abort();
}

bool InRange(const Point& p) {
    return p.x >= -100000 && p.x <= 100000 && p.y >= -100000 && p.y <= 100000;
}

void Check(const GeometryRecord& r) {
    const size_t nodes = static_cast<size_t>(r.meshColumns) * r.meshRows;
    if (r.meshColumns < 0 || r.meshColumns > 100 || r.meshRows < 0 || r.meshRows > 100 ||
        (r.meshColumns == 0) != (r.meshRows == 0))
        Fault("mesh counts out of range");
    if (r.meshSrc.size() != nodes || r.meshDst.size() != nodes)
        Fault("mesh lists disagree with the counts");
    for (size_t i = 0; i < nodes; ++i)
        if (!InRange(r.meshSrc[i]) || !InRange(r.meshDst[i]))
            Fault("a mesh node out of range");
    if (r.fieldSrc.size() != r.fieldDst.size() || r.fieldSrc.size() > kMaxFieldPoints)
        Fault("field store too long or uneven");
    size_t run = 0;
    for (size_t i = 0; i < r.fieldSrc.size(); ++i) {
        const bool brk = r.fieldSrc[i].x == BREAK_MARK;
        if (brk != (r.fieldDst[i].x == BREAK_MARK))
            Fault("breaks at different places");
        if (brk) {
            if (run < 2)
                Fault("a polyline of fewer than two points");
            run = 0;
        } else if (!InRange(r.fieldSrc[i]) || !InRange(r.fieldDst[i])) {
            Fault("a field point out of range");
        } else {
            ++run;
        }
    }
    if (run == 1)
        Fault("a polyline of one point at the end");
    if (r.width < 1 || r.height < 1 || r.frames < 0 || r.frames > 100 || r.delay < 0 ||
        r.delay > 100)
        Fault("settings out of range");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        Check(GeometryFromJson(text));
    } catch (const GeometryError&) {
    } catch (const std::exception& error) {
        Fault(std::string("an exception other than GeometryError: ") + error.what());
    }
    return 0;
}
