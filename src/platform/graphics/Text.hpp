// Internal: text measurement and rendering through SDL2_ttf with a cache of opened fonts.
// Every face name maps to DejaVu Sans; when no font file can be opened, text is measured by an
// estimate and renders as nothing.
#pragma once

#include "graphics/Canvas.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace text_render {

// Anti-aliased coverage of a rendered text, one byte per pixel, rows top-down.
struct Coverage {
    int Width = 0;              // pixels per row
    int Height = 0;             // rows (the font's cell height)
    std::vector<uint8_t> Alpha; // Width * Height coverage values, 0 transparent to 255 opaque
};

// Advance width of the text in pixels.
int TextWidth(const TFont& font, const std::string& text);
// Cell height of the font in pixels.
int CellHeight(const TFont& font);
// Renders the text into out; false when there is nothing to draw or no font file.
bool Render(const TFont& font, const std::string& text, Coverage& out);
// Changes the folder the font files are read from and forgets the opened fonts.
void SetFontFolder(const std::string& folder);

} // namespace text_render
