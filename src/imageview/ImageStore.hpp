// TImageStore: copies of bitmaps kept in one temporary file. Each image takes a
// region of whole 64 KiB blocks holding a 40-byte bitmap header, an 8-byte colour
// table and the rows bottom-up; freed regions are reused first-fit; at most
// CacheSize images are mapped at once, the least recently used unmapped first.
#pragma once

#include "graphics/Bitmap.hpp"
#include "storage/TempFile.hpp"

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

class TImageStore {
public:
    static constexpr int kNoImage = -1;
    static constexpr int64_t kBlock = 65536;
    static constexpr int kHeaderBytes = 48; // bitmap header and two-entry colour table

    // A new, empty store in a new temporary file. Throws std::runtime_error when the
    // file cannot be made.
    explicit TImageStore(int cacheSize = 10);
    ~TImageStore();
    TImageStore(const TImageStore&) = delete;
    TImageStore& operator=(const TImageStore&) = delete;

    // Stores a copy of bitmap (format, size, pixels); returns its id.
    int Put(const TBitmap& bitmap);
    // Frees the region of id for later images.
    void Remove(int id);
    // Copies the stored image into out (resized and reformatted as needed); false for an
    // unknown id.
    bool CopyTo(int id, TBitmap& out);
    int Width(int id) const;
    int Height(int id) const;

    int CacheSize() const { return cacheSize_; }
    // At least 1; unmaps the oldest images beyond the new size.
    void SetCacheSize(int n);
    // How many images are mapped now.
    int MappedCount() const { return static_cast<int>(mapped_.size()); }
    // Byte offset and size of the region of id in the file (-1 for an unknown id).
    int64_t RegionOffset(int id) const;
    int64_t RegionSize(int id) const;
    int64_t FileSize() const { return file_.Size(); }
    int ImageCount() const;

private:
    struct Image {
        bool used = false;
        int64_t offset = 0, size = 0;
        int width = 0, height = 0;
        TPixelFormat format = pf24bit;
        TFileMapping mapping;         // empty while unmapped
        std::list<int>::iterator lru; // position in mapped_ while mapped
    };
    struct Region {
        int64_t offset, size;
    };
    static int64_t RoundUp(int64_t bytes) { return (bytes + kBlock - 1) / kBlock * kBlock; }
    int64_t Allocate(int64_t size);
    void Free(int64_t offset, int64_t size);
    // Maps id (if needed) as the most recently used one; returns its first byte.
    uint8_t* Map(int id);
    void Unmap(int id);
    bool Valid(int id) const;

    TTempFile file_;
    std::vector<Image> images_;
    std::vector<int> freeIds_;
    std::vector<Region> freeRegions_; // sorted by offset, adjacent ones merged
    std::list<int> mapped_;           // most recently used first
    int cacheSize_;
};
