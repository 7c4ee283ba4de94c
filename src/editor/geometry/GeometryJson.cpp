// The only file that sees the JSON library.
#include "GeometryJson.hpp"

#include <nlohmann/json.hpp>

#include <array>
#include <cmath>

using nlohmann::json;

namespace {

constexpr const char* kFormat = "tweenkit geometry";
// Nodes and points may lie outside the image (a drag is not clamped), but not
// further than a person could drag them at the smallest zoom.
constexpr int kMaxCoordinate = 100000;
constexpr int kMaxMeshLines = 100;
constexpr std::array<double, 9> kZooms = {6.25, 12.5, 25, 50, 100, 200, 400, 800, 1600};

json PointList(const Point* points, size_t count) {
    json list = json::array();
    for (size_t i = 0; i < count; ++i)
        list.push_back({points[i].x, points[i].y});
    return list;
}

[[noreturn]] void Fail(const std::string& reason) {
    throw GeometryError(reason);
}

const json& Member(const json& object, const char* name, const std::string& where) {
    if (!object.is_object())
        Fail(where + " is not an object");
    auto it = object.find(name);
    if (it == object.end())
        Fail(where + (where.empty() ? "" : ".") + name + " is missing");
    return *it;
}

std::string Name(const std::string& where, const char* name) {
    return where.empty() ? name : where + "." + name;
}

int WholeNumber(const json& value, const std::string& name, int low, int high) {
    if (!value.is_number_integer())
        Fail(name + " is not a whole number");
    const auto number = value.get<int64_t>();
    if (number < low || number > high)
        Fail(name + " is out of range (" + std::to_string(low) + " to " + std::to_string(high) +
             ")");
    return static_cast<int>(number);
}

int WholeMember(const json& object, const char* name, const std::string& where, int low, int high) {
    return WholeNumber(Member(object, name, where), Name(where, name), low, high);
}

bool BoolMember(const json& object, const char* name, const std::string& where) {
    const json& value = Member(object, name, where);
    if (!value.is_boolean())
        Fail(Name(where, name) + " is not true or false");
    return value.get<bool>();
}

std::string TextMember(const json& object, const char* name, const std::string& where) {
    const json& value = Member(object, name, where);
    if (!value.is_string())
        Fail(Name(where, name) + " is not a text");
    return value.get<std::string>();
}

std::vector<Point> Points(const json& list, const std::string& name, size_t count) {
    if (!list.is_array())
        Fail(name + " is not a list");
    if (list.size() != count)
        Fail(name + " has " + std::to_string(list.size()) + " points, not " +
             std::to_string(count));
    std::vector<Point> points;
    points.reserve(count);
    for (size_t i = 0; i < list.size(); ++i) {
        const std::string at = name + "[" + std::to_string(i) + "]";
        if (!list[i].is_array() || list[i].size() != 2)
            Fail(at + " is not a pair [x, y]");
        points.push_back(Point{WholeNumber(list[i][0], at, -kMaxCoordinate, kMaxCoordinate),
                               WholeNumber(list[i][1], at, -kMaxCoordinate, kMaxCoordinate)});
    }
    return points;
}

double Zoom(const json& object, const char* name) {
    const json& value = Member(object, name, "zoom");
    if (!value.is_number())
        Fail(Name("zoom", name) + " is not a number");
    const double zoom = value.get<double>();
    for (double allowed : kZooms)
        if (zoom == allowed)
            return zoom;
    Fail(Name("zoom", name) + " is not a zoom the views take");
}

void ReadMesh(const json& root, GeometryRecord& record) {
    const json& mesh = Member(root, "mesh", "");
    record.meshColumns = WholeMember(mesh, "columns", "mesh", 0, kMaxMeshLines);
    record.meshRows = WholeMember(mesh, "rows", "mesh", 0, kMaxMeshLines);
    if ((record.meshColumns == 0) != (record.meshRows == 0))
        Fail("mesh.columns and mesh.rows must both be 0 or both at least 1");
    const size_t nodes = static_cast<size_t>(record.meshColumns) * record.meshRows;
    record.meshSrc = Points(Member(mesh, "source", "mesh"), "mesh.source", nodes);
    record.meshDst = Points(Member(mesh, "destination", "mesh"), "mesh.destination", nodes);
}

void ReadField(const json& root, GeometryRecord& record) {
    const json& field = Member(root, "field", "");
    const json& lines = Member(field, "polylines", "field");
    if (!lines.is_array())
        Fail("field.polylines is not a list");
    const bool endsWithBreak = BoolMember(field, "endsWithBreak", "field");
    if (endsWithBreak && lines.empty())
        Fail("field.endsWithBreak follows no polyline");
    size_t slots = 0;
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string at = "field.polylines[" + std::to_string(n) + "]";
        const json& source = Member(lines[n], "source", at);
        if (!source.is_array() || source.size() < 2)
            Fail(at + " is a broken polyline (fewer than two points)");
        slots += source.size() + (n > 0 ? 1 : 0);
        if (slots > static_cast<size_t>(kMaxFieldPoints))
            Fail("field has more than " + std::to_string(kMaxFieldPoints) + " points and breaks");
        const std::vector<Point> src = Points(source, at + ".source", source.size());
        const std::vector<Point> dst =
            Points(Member(lines[n], "destination", at), at + ".destination", source.size());
        if (n > 0) {
            record.fieldSrc.push_back(Point{BREAK_MARK, 0});
            record.fieldDst.push_back(Point{BREAK_MARK, 0});
        }
        record.fieldSrc.insert(record.fieldSrc.end(), src.begin(), src.end());
        record.fieldDst.insert(record.fieldDst.end(), dst.begin(), dst.end());
    }
    if (endsWithBreak) {
        if (slots + 1 > static_cast<size_t>(kMaxFieldPoints))
            Fail("field has more than " + std::to_string(kMaxFieldPoints) + " points and breaks");
        record.fieldSrc.push_back(Point{BREAK_MARK, 0});
        record.fieldDst.push_back(Point{BREAK_MARK, 0});
    }
}

} // namespace

std::string GeometryToJson(const GeometryRecord& record) {
    json root;
    root["format"] = kFormat;
    root["version"] = kGeometryVersion;
    root["frame"] = {{"width", record.width}, {"height", record.height}};
    root["method"] = record.method == MorphMethod::Mesh ? "mesh" : "field";
    root["mesh"] = {{"columns", record.meshColumns},
                    {"rows", record.meshRows},
                    {"source", PointList(record.meshSrc.data(), record.meshSrc.size())},
                    {"destination", PointList(record.meshDst.data(), record.meshDst.size())}};
    root["interpolation"] = record.linear ? "linear" : "catmull-rom";
    json lines = json::array();
    size_t start = 0;
    const size_t count = record.fieldSrc.size();
    for (size_t i = 0; i <= count; ++i) {
        if (i < count && record.fieldSrc[i].x != BREAK_MARK)
            continue;
        if (i > start)
            lines.push_back({{"source", PointList(&record.fieldSrc[start], i - start)},
                             {"destination", PointList(&record.fieldDst[start], i - start)}});
        start = i + 1;
    }
    const bool endsWithBreak = count > 0 && record.fieldSrc[count - 1].x == BREAK_MARK;
    root["field"] = {{"polylines", lines}, {"endsWithBreak", endsWithBreak}};
    root["moveBoth"] = record.moveBoth;
    root["frames"] = record.frames;
    root["delay"] = record.delay;
    root["zoom"] = {{"left", record.leftZoom}, {"right", record.rightZoom}};
    return root.dump(1) + "\n";
}

GeometryRecord GeometryFromJson(const std::string& text) {
    json root;
    try {
        root = json::parse(text);
    } catch (const json::parse_error& error) {
        Fail("it is not valid JSON (at byte " + std::to_string(error.byte) + ")");
    } catch (const json::exception&) {
        Fail("it is not valid JSON (a number too large)");
    }
    if (!root.is_object() || !root.contains("format") || root["format"] != kFormat)
        Fail("it is not a geometry file");
    const json& version = Member(root, "version", "");
    if (!version.is_number_integer() || version.get<int64_t>() < 1)
        Fail("its version is not a version number");
    if (version.get<int64_t>() > kGeometryVersion)
        Fail("it was made by a newer version (" + std::to_string(version.get<int64_t>()) +
             ") of the format");
    GeometryRecord record;
    const json& frame = Member(root, "frame", "");
    record.width = WholeMember(frame, "width", "frame", 1, 1 << 20);
    record.height = WholeMember(frame, "height", "frame", 1, 1 << 20);
    const std::string method = TextMember(root, "method", "");
    if (method != "mesh" && method != "field")
        Fail("method is neither \"mesh\" nor \"field\"");
    record.method = method == "mesh" ? MorphMethod::Mesh : MorphMethod::Field;
    ReadMesh(root, record);
    const std::string interpolation = TextMember(root, "interpolation", "");
    if (interpolation != "linear" && interpolation != "catmull-rom")
        Fail("interpolation is neither \"linear\" nor \"catmull-rom\"");
    record.linear = interpolation == "linear";
    ReadField(root, record);
    record.moveBoth = BoolMember(root, "moveBoth", "");
    record.frames = WholeMember(root, "frames", "", 0, 100);
    record.delay = WholeMember(root, "delay", "", 0, 100);
    const json& zoom = Member(root, "zoom", "");
    record.leftZoom = Zoom(zoom, "left");
    record.rightZoom = Zoom(zoom, "right");
    return record;
}
