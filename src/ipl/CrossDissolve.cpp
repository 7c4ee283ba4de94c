#include "CrossDissolve.hpp"

#include <stdexcept>

#include "IplAlphaComposite.hpp"
#include "IplAlphaCompositeFast.hpp"

namespace {

// Raises the refusal of the composite.
void RequireComposited(bool done) {
    if (!done) {
        throw std::invalid_argument("cross-dissolve needs two matching image headers");
    }
}

} // namespace

void CrossDissolve(IplHeader* frame, const IplHeader* warpedDst, int alpha) {
    RequireComposited(iplAlphaCompositeC(frame, warpedDst, frame, kIplCompositePlus, alpha,
                                         255 - alpha, false, false));
}

void CrossDissolveFast(IplHeader* frame, const IplHeader* warpedDst, int alpha,
                       const KernelSchedule& schedule) {
    RequireComposited(iplAlphaCompositeCFast(frame, warpedDst, frame, kIplCompositePlus, alpha,
                                             255 - alpha, false, false, schedule));
}
