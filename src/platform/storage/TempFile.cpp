#include "storage/TempFile.hpp"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {
std::string TempDirectory() {
    const char* dir = std::getenv("TMPDIR");
    std::string path = dir && *dir ? dir : "/tmp";
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error("temporary image store: " + what + ": " + std::strerror(errno));
}
} // namespace

TFileMapping::TFileMapping(TFileMapping&& other) noexcept
    : data_(other.data_), length_(other.length_) {
    other.data_ = nullptr;
    other.length_ = 0;
}

TFileMapping& TFileMapping::operator=(TFileMapping&& other) noexcept {
    if (this != &other) {
        Reset();
        data_ = other.data_;
        length_ = other.length_;
        other.data_ = nullptr;
        other.length_ = 0;
    }
    return *this;
}

TFileMapping::~TFileMapping() {
    Reset();
}

void TFileMapping::Reset() {
    if (data_)
        munmap(data_, length_);
    data_ = nullptr;
    length_ = 0;
}

TTempFile::TTempFile() : directory_(TempDirectory()) {
    std::string pattern = directory_ + "/tweenkit-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = mkstemp(name.data());
    if (fd_ < 0)
        Fail("cannot create a file in " + directory_);
    // Only the open descriptor keeps the file: closing it (or dying) deletes it.
    unlink(name.data());
}

TTempFile::~TTempFile() {
    if (fd_ >= 0)
        close(fd_);
}

void TTempFile::Grow(int64_t size) {
    if (size <= size_)
        return;
    if (ftruncate(fd_, static_cast<off_t>(size)) != 0)
        Fail("cannot grow the file to " + std::to_string(size) + " bytes");
    size_ = size;
}

void TTempFile::Write(int64_t offset, const void* data, size_t size) {
    if (offset < 0 || offset + static_cast<int64_t>(size) > size_)
        throw std::runtime_error("temporary image store: writing outside the file");
    const char* from = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t done = pwrite(fd_, from, size, static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            Fail("cannot write " + std::to_string(size) + " bytes");
        from += done;
        offset += done;
        size -= static_cast<size_t>(done);
    }
}

TFileMapping TTempFile::Map(int64_t offset, size_t length) {
    if (offset < 0 || length == 0 || offset + static_cast<int64_t>(length) > size_)
        throw std::runtime_error("temporary image store: mapping outside the file");
    void* data =
        mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, static_cast<off_t>(offset));
    if (data == MAP_FAILED)
        Fail("cannot map " + std::to_string(length) + " bytes");
    return TFileMapping(data, length);
}
