#include "VipsLibrary.hpp"

#include <mutex>
#include <stdexcept>

namespace {

// Warnings of the decoders (a damaged EXIF block, an unknown tag) are theirs to skip; a real
// failure comes back as an error.
void DropWarning(const char*, GLogLevelFlags, const char*, gpointer) {}

} // namespace

void StartVips() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (VIPS_INIT("imagora"))
            throw std::runtime_error("cannot start the image library: " + VipsReason());
        g_log_set_handler("VIPS", G_LOG_LEVEL_WARNING, DropWarning, nullptr);
        vips_block_untrusted_set(TRUE);
        vips_operation_block_set("VipsForeignLoad", TRUE);
        for (const char* loader : kOpenLoaders)
            vips_operation_block_set(loader, FALSE);
        // The cache keeps decoded files alive between operations; the host reads each once.
        vips_cache_set_max(0);
    });
}

std::string VipsReason() {
    std::string text = vips_error_buffer();
    vips_error_clear();
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    const size_t lastLine = text.rfind('\n');
    std::string last = lastLine == std::string::npos ? text : text.substr(lastLine + 1);
    return last.empty() ? "unknown error" : last;
}
