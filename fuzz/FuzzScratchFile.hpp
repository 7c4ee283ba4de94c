// The scratch file through which a fuzz target hands its input to code that reads files: one
// per process, on /dev/shm where it can be, rewritten for every input and removed at exit.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

class FuzzScratchFile {
public:
    // tag names the target in the file's name.
    explicit FuzzScratchFile(const char* tag) {
        const char* dir = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : std::getenv("TMPDIR");
        path_ = std::string(dir ? dir : "/tmp") + "/tweenkit-fuzz-" + tag + "-" +
                std::to_string(::getpid());
    }
    ~FuzzScratchFile() { std::remove(path_.c_str()); }
    FuzzScratchFile(const FuzzScratchFile&) = delete;
    FuzzScratchFile& operator=(const FuzzScratchFile&) = delete;

    const std::string& Path() const { return path_; }

    // Makes the input the file's whole content; false when the file cannot be written.
    bool Write(const uint8_t* data, size_t size) const {
        FILE* file = std::fopen(path_.c_str(), "wb");
        if (file == nullptr)
            return false;
        // An empty input may come with a null buffer, which fwrite must not be given.
        const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
        return std::fclose(file) == 0 && written;
    }

private:
    std::string path_;
};
