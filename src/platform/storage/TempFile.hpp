// TTempFile: a growing file in the system's temporary directory whose byte ranges
// can be mapped into memory. The name is removed right after creation, so nothing
// is left behind when the file is closed, even if the process dies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// One mapped range of a TTempFile; unmapped when it goes. Move-only.
class TFileMapping {
public:
    TFileMapping() = default;
    TFileMapping(void* data, size_t length) : data_(data), length_(length) {}
    TFileMapping(TFileMapping&& other) noexcept;
    TFileMapping& operator=(TFileMapping&& other) noexcept;
    TFileMapping(const TFileMapping&) = delete;
    TFileMapping& operator=(const TFileMapping&) = delete;
    ~TFileMapping();

    uint8_t* Data() const { return static_cast<uint8_t*>(data_); }
    size_t Length() const { return length_; }
    bool Empty() const { return data_ == nullptr; }
    void Reset();

private:
    void* data_ = nullptr;
    size_t length_ = 0;
};

class TTempFile {
public:
    // Creates the file in TMPDIR (or /tmp) and removes its name at once. Throws
    // std::runtime_error with the reason when that fails.
    TTempFile();
    ~TTempFile();
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    // The directory the file was made in.
    const std::string& Directory() const { return directory_; }
    int64_t Size() const { return size_; }
    // Extends the file to at least size bytes (new bytes read 0). Throws on failure.
    void Grow(int64_t size);
    // Writes size bytes at offset (inside the file). Throws std::runtime_error on failure.
    void Write(int64_t offset, const void* data, size_t size);
    // Maps length bytes from offset (a multiple of the page size) for reading and writing.
    // Throws std::runtime_error on failure or when the range lies outside the file.
    TFileMapping Map(int64_t offset, size_t length);

private:
    int fd_ = -1;
    int64_t size_ = 0;
    std::string directory_;
};
