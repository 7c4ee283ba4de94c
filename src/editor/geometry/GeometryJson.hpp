// A geometry record as versioned, human-readable JSON text, and back. Reading
// checks everything a hostile or damaged file could get wrong.
#pragma once

#include "GeometryRecord.hpp"

#include <stdexcept>
#include <string>

// Why a text is no usable geometry, in a few words ("mesh.columns is out of range").
class GeometryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

std::string GeometryToJson(const GeometryRecord& record);
// Throws GeometryError.
GeometryRecord GeometryFromJson(const std::string& text);
