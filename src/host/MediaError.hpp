// The one error type of the media readers and writers: what went wrong, in one line, without
// the file's name (the caller that knows the file puts it in front).
#pragma once

#include <stdexcept>
#include <string>

class MediaError : public std::runtime_error {
public:
    explicit MediaError(const std::string& reason) : std::runtime_error(reason) {}
};
