#include "PlayerGlyphs.hpp"

#include "controls/Theme.hpp"

namespace {

constexpr TColor kInk = RGB(0x33, 0x33, 0x33);

TBitmap Blank() {
    TBitmap glyph(kPlayerGlyphSize, kPlayerGlyphSize, pf24bit);
    theme::Fill(glyph.Canvas(), {0, 0, kPlayerGlyphSize, kPlayerGlyphSize}, kPlayerGlyphKey);
    return glyph;
}

TBitmap TwoTriangles(TArrow direction) {
    TBitmap glyph = Blank();
    theme::FillArrow(glyph.Canvas(), {3, 4, 10, 16}, direction, kInk);
    theme::FillArrow(glyph.Canvas(), {10, 4, 17, 16}, direction, kInk);
    return glyph;
}

} // namespace

TBitmap MakeBeginGlyph() {
    return TwoTriangles(TArrow::Left);
}

TBitmap MakePlayGlyph() {
    TBitmap glyph = Blank();
    theme::FillArrow(glyph.Canvas(), {5, 3, 16, 17}, TArrow::Right, kInk);
    return glyph;
}

TBitmap MakeEndGlyph() {
    return TwoTriangles(TArrow::Right);
}
