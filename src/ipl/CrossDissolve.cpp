#include "CrossDissolve.hpp"

#include <stdexcept>

#include "IplAlphaComposite.hpp"

void CrossDissolve(IplHeader* frame, const IplHeader* warpedDst, int alpha) {
    if (!iplAlphaCompositeC(frame, warpedDst, frame, kIplCompositePlus, alpha, 255 - alpha, false,
                            false)) {
        throw std::invalid_argument("cross-dissolve needs two matching image headers");
    }
}
