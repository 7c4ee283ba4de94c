#include "graphics/ImageFile.hpp"

#include "graphics/PixelAccess.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

std::string SystemReason() {
    return std::strerror(errno);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& data, std::string& error) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        error = "cannot open: " + SystemReason();
        return false;
    }
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        data.insert(data.end(), chunk, chunk + got);
    if (std::ferror(file.get())) {
        error = "cannot read: " + SystemReason();
        return false;
    }
    return true;
}

// The loader type for the file's signature, or nullptr for anything but PNG, JPEG and BMP.
const char* SniffType(const std::vector<uint8_t>& data) {
    static constexpr uint8_t kPng[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto startsWith = [&](const uint8_t* sig, size_t n) {
        return data.size() >= n && std::memcmp(data.data(), sig, n) == 0;
    };
    static constexpr uint8_t kJpeg[] = {0xFF, 0xD8, 0xFF};
    static constexpr uint8_t kBmp[] = {'B', 'M'};
    if (startsWith(kPng, sizeof kPng))
        return "PNG";
    if (startsWith(kJpeg, sizeof kJpeg))
        return "JPG";
    if (startsWith(kBmp, sizeof kBmp))
        return "BMP";
    return nullptr;
}

uint32_t BigEndian(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | p[i];
    return value;
}

uint32_t LittleEndian(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

// The size of a JPEG's first frame header, found by walking the markers as the decoder does
// (bytes between segments are skipped up to the next 0xFF).
bool DeclaredJpegSize(const std::vector<uint8_t>& data, int64_t& width, int64_t& height) {
    size_t pos = 2; // after the start-of-image marker
    for (;;) {
        while (pos < data.size() && data[pos] != 0xFF)
            ++pos;
        while (pos < data.size() && data[pos] == 0xFF)
            ++pos;
        if (pos >= data.size())
            return false;
        const uint8_t marker = data[pos++];
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8))
            continue; // stuffed byte or a marker without a segment
        if (marker == 0xD9 || marker == 0xDA || pos + 2 > data.size())
            return false; // image or scan data before any frame header
        const size_t length = BigEndian(&data[pos], 2);
        const bool frameHeader =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frameHeader) {
            if (length < 8 || pos + 7 > data.size())
                return false;
            height = BigEndian(&data[pos + 3], 2);
            width = BigEndian(&data[pos + 5], 2);
            return true;
        }
        if (length < 2)
            return false;
        pos += length;
    }
}

// The width and height the file's header declares (type as SniffType gives it). False for a
// header that is cut short or malformed.
bool DeclaredSize(const std::vector<uint8_t>& data, const char* type, int64_t& width,
                  int64_t& height) {
    const std::string kind = type;
    if (kind == "PNG") {
        // The first chunk is IHDR, 13 bytes long, width and height first.
        if (data.size() < 24 || BigEndian(&data[8], 4) != 13 || std::memcmp(&data[12], "IHDR", 4))
            return false;
        width = BigEndian(&data[16], 4);
        height = BigEndian(&data[20], 4);
        return true;
    }
    if (kind == "BMP") {
        if (data.size() < 26)
            return false;
        if (LittleEndian(&data[14], 4) == 12) { // the old core header: 16-bit sizes
            width = LittleEndian(&data[18], 2);
            height = LittleEndian(&data[20], 2);
            return true;
        }
        width = static_cast<int32_t>(LittleEndian(&data[18], 4));
        height = static_cast<int32_t>(LittleEndian(&data[22], 4));
        height = height < 0 ? -height : height; // negative: rows stored top-down
        return true;
    }
    return DeclaredJpegSize(data, width, height);
}

// Composites one channel over white with coverage a.
uint8_t OverWhite(uint8_t c, uint8_t a) {
    return static_cast<uint8_t>((c * a + 255 * (255 - a) + 127) / 255);
}

// A growable in-memory file for the PNG encoder to write into.
struct MemoryFile {
    std::vector<uint8_t> bytes;
    size_t position = 0;
};

SDL_RWops* OpenMemoryWriter(MemoryFile& file) {
    SDL_RWops* rw = SDL_AllocRW();
    if (!rw)
        return nullptr;
    rw->type = SDL_RWOPS_UNKNOWN;
    rw->hidden.unknown.data1 = &file;
    rw->size = [](SDL_RWops* ctx) -> Sint64 {
        return static_cast<Sint64>(
            static_cast<MemoryFile*>(ctx->hidden.unknown.data1)->bytes.size());
    };
    rw->seek = [](SDL_RWops* ctx, Sint64 offset, int whence) -> Sint64 {
        auto* f = static_cast<MemoryFile*>(ctx->hidden.unknown.data1);
        Sint64 base = whence == RW_SEEK_SET   ? 0
                      : whence == RW_SEEK_CUR ? static_cast<Sint64>(f->position)
                                              : static_cast<Sint64>(f->bytes.size());
        if (base + offset < 0)
            return SDL_SetError("seek before start");
        f->position = static_cast<size_t>(base + offset);
        return base + offset;
    };
    rw->read = [](SDL_RWops*, void*, size_t, size_t) -> size_t { return 0; };
    rw->write = [](SDL_RWops* ctx, const void* ptr, size_t size, size_t num) -> size_t {
        auto* f = static_cast<MemoryFile*>(ctx->hidden.unknown.data1);
        size_t n = size * num;
        if (f->bytes.size() < f->position + n)
            f->bytes.resize(f->position + n);
        std::memcpy(f->bytes.data() + f->position, ptr, n);
        f->position += n;
        return num;
    };
    rw->close = [](SDL_RWops* ctx) -> int {
        SDL_FreeRW(ctx);
        return 0;
    };
    return rw;
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes bytes to a fresh file beside path and renames it over path.
bool ReplaceFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        error = "cannot create file: " + SystemReason();
        return false;
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (!ok)
        error = "cannot write: " + SystemReason();
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = "cannot write: " + SystemReason();
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        error = "cannot replace file: " + SystemReason();
    }
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

// The decoders print their own complaints on stderr; the caller reports the
// failure once, so their output is silenced while they run.
class QuietStderr {
public:
    QuietStderr() {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && null >= 0)
            dup2(null, STDERR_FILENO);
        if (null >= 0)
            close(null);
    }
    ~QuietStderr() {
        std::fflush(stderr);
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_;
};

} // namespace

bool LoadImageFile(const std::string& path, TBitmap& out, std::string& error, int64_t maxPixels) {
    std::vector<uint8_t> data;
    if (!ReadWholeFile(path, data, error))
        return false;
    const char* type = SniffType(data);
    if (!type) {
        error = "not a supported image (PNG, JPEG or BMP expected)";
        return false;
    }
    if (data.size() > static_cast<size_t>(std::numeric_limits<int>::max())) {
        error = "image file too large";
        return false;
    }
    const std::string typeName = type[0] == 'J' ? "JPEG" : type;
    int64_t width = 0;
    int64_t height = 0;
    if (!DeclaredSize(data, type, width, height) || width <= 0 || height <= 0) {
        error = "corrupt or truncated " + typeName + " image";
        return false;
    }
    const int64_t limit = std::min(maxPixels, kMaxImagePixels);
    if (width > limit / height) { // width * height > limit, without overflowing
        error = "image too large: " + std::to_string(width) + " x " + std::to_string(height) +
                " pixels, more than the " + std::to_string(limit) + " allowed";
        return false;
    }
    SDL_Surface* loaded = nullptr;
    {
        // The loader of the sniffed format alone: the general entry point would try every
        // format it knows by content (SVG, TIFF, ...), whatever the type asked for.
        QuietStderr quiet;
        SDL_RWops* rw = SDL_RWFromConstMem(data.data(), static_cast<int>(data.size()));
        if (rw) {
            loaded = typeName == "PNG"    ? IMG_LoadPNG_RW(rw)
                     : typeName == "JPEG" ? IMG_LoadJPG_RW(rw)
                                          : IMG_LoadBMP_RW(rw);
            SDL_RWclose(rw);
        }
    }
    if (!loaded) {
        error = "corrupt or truncated " + typeName + " image";
        return false;
    }
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(loaded);
    if (!rgba) {
        error = "cannot convert the image: out of memory";
        return false;
    }
    try {
        TBitmap bmp(rgba->w, rgba->h, pf24bit);
        SDL_LockSurface(rgba);
        for (int y = 0; y < rgba->h; ++y) {
            const auto* from = static_cast<const uint8_t*>(rgba->pixels) + int64_t{y} * rgba->pitch;
            uint8_t* to = pixel_access::Row(bmp, y);
            for (int x = 0; x < rgba->w; ++x, from += 4, to += 3) {
                to[0] = OverWhite(from[2], from[3]);
                to[1] = OverWhite(from[1], from[3]);
                to[2] = OverWhite(from[0], from[3]);
            }
        }
        SDL_UnlockSurface(rgba);
        SDL_FreeSurface(rgba);
        out = std::move(bmp);
        return true;
    } catch (const std::length_error&) {
        SDL_FreeSurface(rgba);
        error = "image too large";
        return false;
    }
}

bool SavePng(const std::string& path, const TBitmap& bmp, std::string& error) {
    if (bmp.Empty()) {
        error = "cannot save an empty bitmap";
        return false;
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, bmp.Width(), bmp.Height(), 24, SDL_PIXELFORMAT_RGB24);
    if (!surface) {
        error = std::string("cannot encode PNG: ") + SDL_GetError();
        return false;
    }
    for (int y = 0; y < bmp.Height(); ++y) {
        const uint8_t* from = pixel_access::Row(bmp, y);
        auto* to = static_cast<uint8_t*>(surface->pixels) + int64_t{y} * surface->pitch;
        for (int x = 0; x < bmp.Width(); ++x, to += 3) {
            uint32_t rgb = pixel_access::Read(from, x, bmp.PixelFormat());
            to[0] = GetRValue(rgb);
            to[1] = GetGValue(rgb);
            to[2] = GetBValue(rgb);
        }
    }
    MemoryFile png;
    SDL_RWops* writer = OpenMemoryWriter(png);
    int rc = writer ? IMG_SavePNG_RW(surface, writer, 1) : -1;
    SDL_FreeSurface(surface);
    if (rc != 0) {
        error = std::string("cannot encode PNG: ") + SDL_GetError();
        return false;
    }
    return ReplaceFile(path, png.bytes, error);
}
