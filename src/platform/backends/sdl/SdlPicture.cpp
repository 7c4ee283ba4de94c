#include "SdlPicture.hpp"

#include "../../graphics/Bitmap.hpp"

#include <SDL.h>

#include <algorithm>
#include <cstring>

void PresentPicture(SDL_Window* window, const TBitmap& picture, const TRect& region) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface || picture.PixelFormat() != pf24bit)
        return;
    TRect r = region.Intersect(
        {0, 0, std::min(picture.Width(), surface->w), std::min(picture.Height(), surface->h)});
    if (r.IsEmpty())
        return;
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    // Our rows run bottom-up, so each row converts on its own.
    auto* pixels = static_cast<uint8_t*>(surface->pixels);
    int bytes = surface->format->BytesPerPixel;
    for (int y = r.Top; y < r.Bottom; ++y)
        SDL_ConvertPixels(r.Width(), 1, SDL_PIXELFORMAT_BGR24, picture.ScanLine(y) + 3 * r.Left,
                          picture.RowStride(), surface->format->format,
                          pixels + y * surface->pitch + r.Left * bytes, surface->pitch);
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    SDL_Rect rect{r.Left, r.Top, r.Width(), r.Height()};
    SDL_UpdateWindowSurfaceRects(window, &rect, 1);
}

void KeepPicture(const TBitmap& picture, const TRect& region, TBitmap& copy) {
    if (copy.PixelFormat() != pf24bit)
        copy.SetPixelFormat(pf24bit);
    if (copy.Width() != picture.Width() || copy.Height() != picture.Height())
        copy.SetSize(picture.Width(), picture.Height());
    TRect r = region.Intersect({0, 0, picture.Width(), picture.Height()});
    if (r.IsEmpty() || picture.PixelFormat() != pf24bit)
        return;
    for (int y = r.Top; y < r.Bottom; ++y)
        std::memcpy(copy.ScanLine(y) + 3 * r.Left, picture.ScanLine(y) + 3 * r.Left,
                    3 * static_cast<size_t>(r.Width()));
}

void ShowIcon(SDL_Window* window, const TBitmap& icon) {
    if (icon.PixelFormat() != pf24bit || icon.Width() <= 0 || icon.Height() <= 0)
        return;
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, icon.Width(), icon.Height(), 24, SDL_PIXELFORMAT_BGR24);
    if (!surface)
        return;
    for (int y = 0; y < icon.Height(); ++y)
        std::memcpy(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch, icon.ScanLine(y),
                    3 * static_cast<size_t>(icon.Width()));
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

bool ReadPicture(SDL_Window* window, TBitmap& picture) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface)
        return false;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(surface->w, surface->h);
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    auto* pixels = static_cast<const uint8_t*>(surface->pixels);
    for (int y = 0; y < surface->h; ++y)
        SDL_ConvertPixels(surface->w, 1, surface->format->format, pixels + y * surface->pitch,
                          surface->pitch, SDL_PIXELFORMAT_BGR24, picture.ScanLine(y),
                          picture.RowStride());
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    return true;
}
