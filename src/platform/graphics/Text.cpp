#include "graphics/Text.hpp"

#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace text_render {
namespace {

constexpr const char* kDefaultFolder = "/usr/share/fonts/truetype/dejavu";
constexpr int kDefaultPixelHeight = 11; // what a font height of 0 means
constexpr int kMaxPixelHeight = 2048;   // larger requests are drawn at this size

// Opened fonts per (point size, bold). SDL2_ttf needs no video subsystem, only TTF_Init.
class FontCache {
public:
    ~FontCache() {
        Clear();
        if (initOk_)
            TTF_Quit();
    }

    // The font for a TFont, or nullptr when no font file can be opened.
    TTF_Font* Get(const TFont& font) {
        int height = font.Height == 0 ? -kDefaultPixelHeight : font.Height;
        height = std::clamp(height, -kMaxPixelHeight, kMaxPixelHeight);
        if (height < 0)
            return Open(-height, font.Bold);
        // A positive height is the cell height: scale the size so that the cell matches.
        TTF_Font* probe = Open(height, font.Bold);
        if (!probe)
            return nullptr;
        int cell = std::max(TTF_FontHeight(probe), 1);
        int size = std::max(1, static_cast<int>(std::lround(double(height) * height / cell)));
        return Open(size, font.Bold);
    }

    void SetFolder(const std::string& folder) {
        Clear();
        folder_ = folder;
    }

private:
    TTF_Font* Open(int size, bool bold) {
        auto key = std::make_pair(size, bold);
        if (auto it = fonts_.find(key); it != fonts_.end())
            return it->second;
        TTF_Font* opened = nullptr;
        if (Initialised()) {
            std::string file = folder_ + (bold ? "/DejaVuSans-Bold.ttf" : "/DejaVuSans.ttf");
            opened = TTF_OpenFont(file.c_str(), size);
        }
        fonts_[key] = opened; // a failure is remembered too, so it is not retried per call
        return opened;
    }

    bool Initialised() {
        if (!initTried_) {
            initTried_ = true;
            initOk_ = TTF_Init() == 0;
        }
        return initOk_;
    }

    void Clear() {
        for (auto& [key, font] : fonts_)
            if (font)
                TTF_CloseFont(font);
        fonts_.clear();
    }

    std::string folder_ = kDefaultFolder;
    std::map<std::pair<int, bool>, TTF_Font*> fonts_;
    bool initTried_ = false;
    bool initOk_ = false;
};

FontCache& Cache() {
    static FontCache cache;
    return cache;
}

int PixelHeight(const TFont& font) {
    int h = font.Height == 0 ? kDefaultPixelHeight : std::abs(font.Height);
    return std::min(h, kMaxPixelHeight);
}

// Code points of a UTF-8 string: every byte that does not continue a sequence.
int64_t CodePoints(const std::string& text) {
    return std::count_if(text.begin(), text.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

} // namespace

int TextWidth(const TFont& font, const std::string& text) {
    if (text.empty())
        return 0;
    int w = 0, h = 0;
    if (TTF_Font* f = Cache().Get(font); f && TTF_SizeUTF8(f, text.c_str(), &w, &h) == 0)
        return w;
    // No font file: about the average advance of a sans face.
    int64_t estimate = CodePoints(text) * std::max(1, PixelHeight(font) * 3 / 5);
    return static_cast<int>(std::min<int64_t>(estimate, 1 << 30));
}

int CellHeight(const TFont& font) {
    if (TTF_Font* f = Cache().Get(font))
        return TTF_FontHeight(f);
    return PixelHeight(font) * 7 / 6;
}

bool Render(const TFont& font, const std::string& text, Coverage& out) {
    TTF_Font* f = text.empty() ? nullptr : Cache().Get(font);
    if (!f)
        return false;
    SDL_Surface* s = TTF_RenderUTF8_Blended(f, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!s)
        return false;
    if (s->format->BytesPerPixel != 4) {
        SDL_FreeSurface(s);
        return false;
    }
    SDL_LockSurface(s);
    out.Width = s->w;
    out.Height = s->h;
    out.Alpha.assign(static_cast<size_t>(s->w) * s->h, 0);
    const SDL_PixelFormat* pf = s->format;
    for (int y = 0; y < s->h; ++y) {
        const auto* row = reinterpret_cast<const uint8_t*>(s->pixels) + int64_t{y} * s->pitch;
        for (int x = 0; x < s->w; ++x) {
            uint32_t p = reinterpret_cast<const uint32_t*>(row)[x];
            out.Alpha[static_cast<size_t>(y) * s->w + x] =
                static_cast<uint8_t>((p & pf->Amask) >> pf->Ashift);
        }
    }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return true;
}

void SetFontFolder(const std::string& folder) {
    Cache().SetFolder(folder);
}

} // namespace text_render
