#include "ImageStore.hpp"

#include <algorithm>
#include <cstring>

namespace {
int BitCount(TPixelFormat format) {
    switch (format) {
    case pf1bit:
        return 1;
    case pf32bit:
        return 32;
    case pf24bit:
        break;
    }
    return 24;
}

void PutLE(uint8_t* at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The device-independent bitmap header and the colour table of a 1-bit image.
void WriteHeader(uint8_t* at, const TBitmap& bitmap) {
    std::memset(at, 0, TImageStore::kHeaderBytes);
    uint32_t imageBytes = static_cast<uint32_t>(bitmap.RowStride()) * bitmap.Height();
    PutLE(at + 0, 40, 4);
    PutLE(at + 4, static_cast<uint32_t>(bitmap.Width()), 4);
    PutLE(at + 8, static_cast<uint32_t>(bitmap.Height()), 4); // positive: bottom-up
    PutLE(at + 12, 1, 2);
    PutLE(at + 14, static_cast<uint32_t>(BitCount(bitmap.PixelFormat())), 2);
    PutLE(at + 20, imageBytes, 4);
    if (bitmap.PixelFormat() == pf1bit) {
        PutLE(at + 32, 2, 4);
        PutLE(at + 44, 0x00FFFFFF, 4); // entry 0 black, entry 1 white
    }
}
} // namespace

TImageStore::TImageStore(int cacheSize) : cacheSize_(std::max(1, cacheSize)) {}

TImageStore::~TImageStore() {
    // Mappings go before the file closes.
    for (Image& image : images_)
        image.mapping.Reset();
}

bool TImageStore::Valid(int id) const {
    return id >= 0 && id < static_cast<int>(images_.size()) && images_[id].used;
}

int TImageStore::ImageCount() const {
    return static_cast<int>(std::count_if(images_.begin(), images_.end(),
                                          [](const Image& image) { return image.used; }));
}

int64_t TImageStore::Allocate(int64_t size) {
    for (auto it = freeRegions_.begin(); it != freeRegions_.end(); ++it) {
        if (it->size < size)
            continue;
        int64_t offset = it->offset;
        it->offset += size;
        it->size -= size;
        if (it->size == 0)
            freeRegions_.erase(it);
        return offset;
    }
    int64_t offset = file_.Size();
    file_.Grow(offset + size);
    return offset;
}

void TImageStore::Free(int64_t offset, int64_t size) {
    auto it = std::lower_bound(freeRegions_.begin(), freeRegions_.end(), offset,
                               [](const Region& r, int64_t o) { return r.offset < o; });
    it = freeRegions_.insert(it, Region{offset, size});
    auto next = it + 1;
    if (next != freeRegions_.end() && it->offset + it->size == next->offset) {
        it->size += next->size;
        freeRegions_.erase(next);
    }
    if (it != freeRegions_.begin()) {
        auto prev = it - 1;
        if (prev->offset + prev->size == it->offset) {
            prev->size += it->size;
            freeRegions_.erase(it);
        }
    }
}

int TImageStore::Put(const TBitmap& bitmap) {
    int64_t pixelBytes = int64_t{bitmap.RowStride()} * bitmap.Height();
    int64_t size = RoundUp(kHeaderBytes + pixelBytes);
    int64_t offset = Allocate(size);
    int id;
    if (!freeIds_.empty()) {
        id = freeIds_.back();
        freeIds_.pop_back();
    } else {
        id = static_cast<int>(images_.size());
        images_.emplace_back();
    }
    Image& image = images_[id];
    image.used = true;
    image.offset = offset;
    image.size = size;
    image.width = bitmap.Width();
    image.height = bitmap.Height();
    image.format = bitmap.PixelFormat();
    // Written through the file rather than a mapping: a new region needs no page faults.
    uint8_t header[kHeaderBytes];
    WriteHeader(header, bitmap);
    try {
        file_.Write(offset, header, kHeaderBytes);
        if (pixelBytes > 0)
            file_.Write(offset + kHeaderBytes, bitmap.Bits(), static_cast<size_t>(pixelBytes));
    } catch (...) {
        Remove(id);
        throw;
    }
    return id;
}

void TImageStore::Remove(int id) {
    if (!Valid(id))
        return;
    Unmap(id);
    Image& image = images_[id];
    Free(image.offset, image.size);
    image = Image{};
    freeIds_.push_back(id);
}

uint8_t* TImageStore::Map(int id) {
    Image& image = images_[id];
    if (!image.mapping.Empty()) {
        mapped_.splice(mapped_.begin(), mapped_, image.lru);
        return image.mapping.Data();
    }
    while (static_cast<int>(mapped_.size()) >= cacheSize_)
        Unmap(mapped_.back());
    image.mapping = file_.Map(image.offset, static_cast<size_t>(image.size));
    mapped_.push_front(id);
    image.lru = mapped_.begin();
    return image.mapping.Data();
}

void TImageStore::Unmap(int id) {
    Image& image = images_[id];
    if (image.mapping.Empty())
        return;
    image.mapping.Reset();
    mapped_.erase(image.lru);
}

bool TImageStore::CopyTo(int id, TBitmap& out) {
    if (!Valid(id))
        return false;
    const Image& image = images_[id];
    if (out.PixelFormat() != image.format || out.Width() != image.width ||
        out.Height() != image.height)
        out = TBitmap(image.width, image.height, image.format);
    const uint8_t* at = Map(id);
    int64_t pixelBytes = int64_t{out.RowStride()} * out.Height();
    if (pixelBytes > 0)
        std::memcpy(out.Bits(), at + kHeaderBytes, static_cast<size_t>(pixelBytes));
    return true;
}

int TImageStore::Width(int id) const {
    return Valid(id) ? images_[id].width : 0;
}

int TImageStore::Height(int id) const {
    return Valid(id) ? images_[id].height : 0;
}

void TImageStore::SetCacheSize(int n) {
    cacheSize_ = std::max(1, n);
    while (static_cast<int>(mapped_.size()) > cacheSize_)
        Unmap(mapped_.back());
}

int64_t TImageStore::RegionOffset(int id) const {
    return Valid(id) ? images_[id].offset : -1;
}

int64_t TImageStore::RegionSize(int id) const {
    return Valid(id) ? images_[id].size : -1;
}
