#include "PngEncoder.hpp"

#include "Bitmap24.hpp"
#include "MediaError.hpp"

#include <png.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void Flush(png_structp) {}

} // namespace

namespace {

// libpng reports errors by longjmp: this part holds no object with a destructor.
bool WriteRows(png_structp png, png_infop info, const uint8_t* const* rows, int w, int h, int level,
               std::vector<uint8_t>* out) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, out, Append, Flush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, level);
    // One filter for every row: nearly the size of the adaptive choice at a fraction of its
    // cost, which tries all five on each row.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    png_set_bgr(png); // the bitmap's bytes are B, G, R
    png_write_rows(png, const_cast<png_bytepp>(rows), static_cast<png_uint_32>(h));
    png_write_end(png, nullptr);
    return true;
}

} // namespace

std::vector<uint8_t> EncodePng(const TBitmap& frame, int level) {
    TBitmap scratch;
    const TBitmap* source = &As24Bit(frame, scratch);
    std::vector<const uint8_t*> rows(static_cast<size_t>(source->Height()));
    for (int y = 0; y < source->Height(); ++y)
        rows[static_cast<size_t>(y)] = source->ScanLine(y);
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const bool ok =
        info && WriteRows(png, info, rows.data(), source->Width(), source->Height(), level, &out);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!ok)
        throw MediaError("cannot encode PNG");
    return out;
}

void WriteNewFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        throw MediaError(std::string("cannot create file: ") + std::strerror(errno));
    size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        done += ok ? static_cast<size_t>(n) : 0;
    }
    ok = ok && ::fsync(fd) == 0;
    const int writeErrno = errno;
    if (::close(fd) != 0 || !ok)
        throw MediaError(std::string("cannot write: ") + std::strerror(ok ? errno : writeErrno));
}
