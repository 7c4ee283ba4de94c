#include "Exports.hpp"

#include <cstring>

namespace {
constexpr const char* kIdentification = "Tweenkit 1.2";
constexpr const char* kHomePage = "https://tweenkit.example.org/";

// Emptied at load: zero-initialised static storage.
char identification[128];

// The description after the identification, in the Windows-1252 code page
// (0x95 is the bullet).
constexpr const char* kDescriptionPieces[] = {
    "\n\n",
    "Create morphing video sequence\n",
    "using these warping methods:\n\n",
    " \x95 Two-pass mesh warping\n",
    " \x95 Field warping\n\n",
    "NOTE: Works only when video sequence exists!\n\n",
    "MORPH HINT:\n ",
    " 1. Load final image and copy it to clipboard\n",
    " 2. Load starting image and create its V/A sequence\n",
    " 3. Add blank frame to V/A sequence\n",
    " 4. Paste image from clipboard over blank frame\n",
    " 5. Select first frame (starting image)\n",
    " 5. Execute Tweenkit!\n\n",
    "WARP HINT:\n",
    " 1. Load image and create its V/A sequence\n",
    " 2. Execute Tweenkit!\n",
};
} // namespace

extern "C" {

const char* HPI_Identification() {
    std::strcpy(identification, kIdentification);
    return identification;
}

int32_t HPI_GetExtension() {
    return 1011;
}

int32_t HPI_GetPlugInVersion() {
    return 11;
}

char* HPI_STDCALL HPI_Description(char* buffer) {
    // A copy first, so whatever the buffer held before does not matter.
    std::strcpy(buffer, kIdentification);
    for (const char* piece : kDescriptionPieces)
        std::strcat(buffer, piece);
    std::strcpy(buffer + kHomePageOffset, kHomePage);
    return buffer + kHomePageOffset;
}
}
