// Reading and writing a geometry file: atomic writes (a temporary name, then a
// rename), and a bad file set aside under a name of its own instead of lost.
#pragma once

#include "GeometryRecord.hpp"

#include <optional>
#include <string>

struct GeometryLoad {
    enum class Status { Missing, Loaded, Bad } status = Status::Missing;
    GeometryRecord record; // when Loaded
    std::string reason;    // when Bad
};

// Files larger than this are no geometry of ours.
inline constexpr std::size_t kMaxGeometryFileBytes = 4 << 20;

GeometryLoad LoadGeometryFile(const std::string& path);
// Writes path.tmp-PID and renames it over path; on failure nothing is left behind
// and error says why.
bool SaveGeometryFile(const std::string& path, const GeometryRecord& record, std::string& error);
// Renames path to the first free path.bad-N (N from 1); the new name, or nothing
// when the rename failed.
std::optional<std::string> KeepAsBad(const std::string& path);
