// Colours: 0x00BBGGRR values, the special values clNone/clDefault, and system colours that
// resolve through the light theme table when drawing.
#pragma once

#include <cstdint>

// A colour 0x00BBGGRR, or a system colour 0x80000000 | index, or clNone / clDefault.
using TColor = int32_t;

// Builds 0x00BBGGRR from its three bytes.
constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<TColor>(uint32_t{r} | uint32_t{g} << 8 | uint32_t{b} << 16);
}
// Red byte of a resolved 0x00BBGGRR value.
constexpr uint8_t GetRValue(uint32_t rgb) {
    return static_cast<uint8_t>(rgb & 0xFF);
}
// Green byte of a resolved 0x00BBGGRR value.
constexpr uint8_t GetGValue(uint32_t rgb) {
    return static_cast<uint8_t>(rgb >> 8 & 0xFF);
}
// Blue byte of a resolved 0x00BBGGRR value.
constexpr uint8_t GetBValue(uint32_t rgb) {
    return static_cast<uint8_t>(rgb >> 16 & 0xFF);
}

constexpr TColor clBlack = 0x000000;   // black
constexpr TColor clMaroon = 0x000080;  // dark red
constexpr TColor clGreen = 0x008000;   // dark green
constexpr TColor clOlive = 0x008080;   // dark yellow
constexpr TColor clNavy = 0x800000;    // dark blue
constexpr TColor clPurple = 0x800080;  // dark magenta
constexpr TColor clTeal = 0x808000;    // dark cyan
constexpr TColor clGray = 0x808080;    // mid grey
constexpr TColor clSilver = 0xC0C0C0;  // light grey
constexpr TColor clRed = 0x0000FF;     // red
constexpr TColor clLime = 0x00FF00;    // green
constexpr TColor clYellow = 0x00FFFF;  // yellow
constexpr TColor clBlue = 0xFF0000;    // blue
constexpr TColor clFuchsia = 0xFF00FF; // magenta
constexpr TColor clAqua = 0xFFFF00;    // cyan
constexpr TColor clWhite = 0xFFFFFF;   // white

constexpr TColor clNone = 0x1FFFFFFF;    // no colour (also what reading outside a bitmap gives)
constexpr TColor clDefault = 0x20000000; // "use the default"; callers resolve it themselves

// The system colour with the given index (0..24).
constexpr TColor SystemColor(uint32_t index) {
    return static_cast<TColor>(0x80000000u | index);
}
// True when c names a system colour rather than an RGB value.
constexpr bool IsSystemColor(TColor c) {
    return c < 0;
}

constexpr TColor clScrollBar = SystemColor(0);            // scroll bar track
constexpr TColor clBackground = SystemColor(1);           // desktop
constexpr TColor clActiveCaption = SystemColor(2);        // caption of the active window
constexpr TColor clInactiveCaption = SystemColor(3);      // caption of other windows
constexpr TColor clMenu = SystemColor(4);                 // menu background
constexpr TColor clWindow = SystemColor(5);               // background of edits and lists
constexpr TColor clWindowFrame = SystemColor(6);          // thin window frame
constexpr TColor clMenuText = SystemColor(7);             // menu text
constexpr TColor clWindowText = SystemColor(8);           // text on clWindow
constexpr TColor clCaptionText = SystemColor(9);          // text on the active caption
constexpr TColor clActiveBorder = SystemColor(10);        // border of the active window
constexpr TColor clInactiveBorder = SystemColor(11);      // border of other windows
constexpr TColor clAppWorkSpace = SystemColor(12);        // background of document areas
constexpr TColor clHighlight = SystemColor(13);           // selection background
constexpr TColor clHighlightText = SystemColor(14);       // selection text
constexpr TColor clBtnFace = SystemColor(15);             // face of buttons and panels
constexpr TColor clBtnShadow = SystemColor(16);           // shaded edge of 3-D elements
constexpr TColor clGrayText = SystemColor(17);            // disabled text
constexpr TColor clBtnText = SystemColor(18);             // text on buttons
constexpr TColor clInactiveCaptionText = SystemColor(19); // text on an inactive caption
constexpr TColor clBtnHighlight = SystemColor(20);        // lit edge of 3-D elements
constexpr TColor cl3DDkShadow = SystemColor(21);          // darkest edge of 3-D elements
constexpr TColor cl3DLight = SystemColor(22);             // light edge of 3-D elements
constexpr TColor clInfoText = SystemColor(23);            // tooltip text
constexpr TColor clInfoBk = SystemColor(24);              // tooltip background

// The 0x00BBGGRR value drawn for c: system colours come from the theme table (an unknown index
// gives black); any other value keeps its low 24 bits, so clNone gives white and clDefault black.
uint32_t ColorToRGB(TColor c);
