// libvips, started once for the host: still images and animations in, GIF and WebP out.
#pragma once

#include <vips/vips.h>

#include <string>

// The loaders open to file contents.
inline constexpr const char* kOpenLoaders[] = {"VipsForeignLoadPng",   "VipsForeignLoadJpeg",
                                               "VipsForeignLoadNsgif", "VipsForeignLoadTiff",
                                               "VipsForeignLoadWebp",  "VipsForeignLoadHeif"};

// Starts the library on first use. Only the loaders the host means to read stay open to file
// contents (PNG, JPEG, GIF, TIFF, WebP, HEIF); every other loader and every loader the library
// marks untrusted is blocked, so a file never reaches a decoder we did not choose.
void StartVips();

// The library's last error as one line (its error buffer is cleared).
std::string VipsReason();

// Owns one reference to a VipsImage.
class VipsRef {
public:
    VipsRef() = default;
    explicit VipsRef(VipsImage* image) : image_(image) {}
    VipsRef(const VipsRef&) = delete;
    VipsRef& operator=(const VipsRef&) = delete;
    VipsRef(VipsRef&& other) noexcept : image_(other.image_) { other.image_ = nullptr; }
    VipsRef& operator=(VipsRef&& other) noexcept {
        std::swap(image_, other.image_);
        return *this;
    }
    ~VipsRef() {
        if (image_)
            g_object_unref(image_);
    }
    VipsImage* get() const { return image_; }
    // Where a vips operation puts its output.
    VipsImage** out() {
        *this = VipsRef();
        return &image_;
    }

private:
    VipsImage* image_ = nullptr;
};
