// Reads bounded values from a fuzzer's bytes; once the bytes run out every read gives the
// smallest value, so every input, however short, describes one complete case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // A value in lo .. hi (inclusive), from as few bytes as the range needs.
    int64_t Range(int64_t lo, int64_t hi) {
        const uint64_t span = static_cast<uint64_t>(hi - lo);
        uint64_t raw = 0;
        for (uint64_t covered = 0; covered < span && pos_ < size_; covered = (covered << 8) | 0xFF)
            raw = (raw << 8) | data_[pos_++];
        return lo + static_cast<int64_t>(span == UINT64_MAX ? raw : raw % (span + 1));
    }

    bool Flag() { return Range(0, 1) == 1; }

    // A fraction in [0, 1] with 16 bits of resolution.
    double Fraction() { return static_cast<double>(Range(0, 65535)) / 65535.0; }

    bool Exhausted() const { return pos_ >= size_; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};
