#pragma once

#include <stdexcept>

#include "WorkImage.hpp"

struct IplHeader; // image header of the ipl layer, declared in IplHeader.hpp

// The working set of a morph run: four images of one geometry and the two image headers the
// dissolve works on. The run owns all of it; the sequences only use it.
struct MorphImages {
    WorkImage src;           // start image, only read
    WorkImage dst;           // final image, only read
    WorkImage frame;         // receives the warped start image, then the finished frame
    WorkImage warpedDst;     // receives the warped final image
    IplHeader* frameIpl;     // header over the pixels of frame
    IplHeader* warpedDstIpl; // header over the pixels of warpedDst
};

// Throws std::invalid_argument unless the four images have pixels and one geometry and, for a
// run that dissolves (not warp-only), both headers exist.
inline void RequireMorphImages(const MorphImages& images, bool warpOnly) {
    const WorkImage* all[] = {&images.src, &images.dst, &images.frame, &images.warpedDst};
    for (const WorkImage* image : all) {
        if (image->bits == nullptr || image->width <= 0 || image->height <= 0 ||
            image->rowStride < 3 * image->width || !SameGeometry(*image, images.src)) {
            throw std::invalid_argument("morph images need pixels and one geometry");
        }
    }
    if (!warpOnly && (images.frameIpl == nullptr || images.warpedDstIpl == nullptr)) {
        throw std::invalid_argument("a dissolving morph needs both image headers");
    }
}
