#include "Backend.hpp"

#include "headless/HeadlessBackend.hpp"
#ifdef TWEENKIT_HAVE_SDL_BACKEND
#include "sdl/SdlBackend.hpp"
#endif

#include <stdexcept>

bool Backend::ReadPresented(int, TBitmap&) {
    throw std::logic_error(std::string(Name()) + " backend cannot read back what it presents");
}

std::unique_ptr<Backend> CreateBackend(const std::string& name) {
    if (name == "headless")
        return std::make_unique<HeadlessBackend>();
#ifdef TWEENKIT_HAVE_SDL_BACKEND
    if (name == "sdl")
        return SdlBackend::Open();
#endif
    return nullptr;
}
