#include "graphics/Color.hpp"

#include <array>

namespace {

// A flat, light theme: near-white surfaces, soft grey edges, dark grey text, a calm blue accent.
constexpr std::array<TColor, 25> kSystemColors = {
    RGB(0xE8, 0xE8, 0xE8), // clScrollBar
    RGB(0x4A, 0x69, 0x84), // clBackground
    RGB(0x3C, 0x78, 0xB4), // clActiveCaption
    RGB(0xC8, 0xD3, 0xDE), // clInactiveCaption
    RGB(0xF7, 0xF7, 0xF7), // clMenu
    RGB(0xFF, 0xFF, 0xFF), // clWindow
    RGB(0x64, 0x64, 0x64), // clWindowFrame
    RGB(0x1F, 0x1F, 0x1F), // clMenuText
    RGB(0x1F, 0x1F, 0x1F), // clWindowText
    RGB(0xFF, 0xFF, 0xFF), // clCaptionText
    RGB(0xB4, 0xB4, 0xB4), // clActiveBorder
    RGB(0xDA, 0xDA, 0xDA), // clInactiveBorder
    RGB(0xAB, 0xAB, 0xAB), // clAppWorkSpace
    RGB(0x38, 0x75, 0xD7), // clHighlight
    RGB(0xFF, 0xFF, 0xFF), // clHighlightText
    RGB(0xF0, 0xF0, 0xF0), // clBtnFace
    RGB(0xA0, 0xA0, 0xA0), // clBtnShadow
    RGB(0x6D, 0x6D, 0x6D), // clGrayText
    RGB(0x1F, 0x1F, 0x1F), // clBtnText
    RGB(0x43, 0x4E, 0x54), // clInactiveCaptionText
    RGB(0xFF, 0xFF, 0xFF), // clBtnHighlight
    RGB(0x69, 0x69, 0x69), // cl3DDkShadow
    RGB(0xE3, 0xE3, 0xE3), // cl3DLight
    RGB(0x1F, 0x1F, 0x1F), // clInfoText
    RGB(0xFF, 0xFF, 0xE1), // clInfoBk
};

} // namespace

uint32_t ColorToRGB(TColor c) {
    if (IsSystemColor(c)) {
        uint32_t index = static_cast<uint32_t>(c) & 0x7FFFFFFFu;
        return index < kSystemColors.size() ? static_cast<uint32_t>(kSystemColors[index]) : 0;
    }
    return static_cast<uint32_t>(c) & 0x00FFFFFFu;
}
