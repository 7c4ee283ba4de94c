#include "ViewCursors.hpp"

#include "Screen.hpp"

const std::array<std::string_view, kViewCursorCount> kViewCursorNames = {
    "ZOOMOUT", "ZOOMIN", "CROSS", "ERASER", "HAND",    "PEN",     "CROSS1", "CROSS3",  "MOVE2",
    "MOVEY",   "MOVE1",  "MOVEX", "MOVE",   "CROSS3+", "CROSS3-", "CROSS2", "CROSS2+", "CROSS2-"};

namespace {
// Pixels of a 32 x 32 drawing, one word per row, bit 31 the leftmost pixel.
struct Ink {
    std::array<uint32_t, 32> rows{};

    void Set(int x, int y) {
        if (x >= 0 && x < 32 && y >= 0 && y < 32)
            rows[y] |= 0x80000000u >> x;
    }
    void HLine(int x0, int x1, int y) {
        for (int x = x0; x <= x1; ++x)
            Set(x, y);
    }
    void VLine(int x, int y0, int y1) {
        for (int y = y0; y <= y1; ++y)
            Set(x, y);
    }
    void Outline(int x0, int y0, int x1, int y1) {
        HLine(x0, x1, y0);
        HLine(x0, x1, y1);
        VLine(x0, y0, y1);
        VLine(x1, y0, y1);
    }
    // Where both drawings have a pixel, neither shows.
    Ink operator^(const Ink& other) const {
        Ink out;
        for (int y = 0; y < 32; ++y)
            out.rows[y] = rows[y] ^ other.rows[y];
        return out;
    }
};

constexpr int kHotX = 16, kHotY = 15;

// Column 16 and row 15 through the whole cell; the hot-spot pixel is where both meet.
Ink FullCross() {
    Ink column, row;
    column.VLine(kHotX, 0, 31);
    row.HLine(0, 31, kHotY);
    return column ^ row;
}

Ink Square() {
    Ink square;
    square.Outline(13, 12, 19, 18);
    return square;
}

// A short cross with a gap of two pixels round the hot spot.
Ink GapCross() {
    Ink ink;
    ink.HLine(6, 13, kHotY);
    ink.HLine(19, 26, kHotY);
    ink.VLine(kHotX, 5, 12);
    ink.VLine(kHotX, 18, 25);
    return ink;
}

// A cross of 17-pixel arms through the hot spot.
Ink ShortCross() {
    Ink row, column;
    row.HLine(8, 24, kHotY);
    column.VLine(kHotX, 7, 23);
    return row ^ column;
}

// A small plus or minus sign in the lower right corner.
Ink Sign(bool plus) {
    Ink ink;
    ink.HLine(22, 28, 25);
    if (plus)
        ink.VLine(25, 22, 28);
    return ink;
}

Ink Magnifier(bool plus) {
    Ink ink;
    ink.Outline(8, 7, 24, 23);
    ink.HLine(12, 20, kHotY);
    if (plus)
        ink.VLine(kHotX, 11, 19);
    for (int i = 0; i < 6; ++i) {
        ink.Set(25 + i, 24 + i);
        ink.Set(24 + i, 24 + i);
    }
    return ink;
}

// Arrow heads at the ends of a horizontal and/or vertical shaft through the hot spot.
Ink Arrows(bool horizontal, bool vertical) {
    Ink ink;
    if (horizontal) {
        ink.HLine(4, 28, kHotY);
        for (int i = 1; i <= 4; ++i) {
            ink.VLine(4 + i, kHotY - i, kHotY + i);
            ink.VLine(28 - i, kHotY - i, kHotY + i);
        }
    }
    if (vertical) {
        ink.VLine(kHotX, 3, 27);
        for (int i = 1; i <= 4; ++i) {
            ink.HLine(kHotX - i, kHotX + i, 3 + i);
            ink.HLine(kHotX - i, kHotX + i, 27 - i);
        }
    }
    return ink;
}

Ink Eraser() {
    Ink ink;
    ink.Outline(9, 8, 23, 22);
    ink.Set(kHotX, kHotY);
    return ink;
}

Ink Hand() {
    Ink ink;
    ink.Outline(10, 10, 22, 26);
    for (int finger = 0; finger < 4; ++finger)
        ink.VLine(11 + 3 * finger, 4, 9);
    return ink;
}

Ink Pen() {
    Ink ink;
    for (int i = 0; i < 14; ++i) {
        ink.Set(kHotX + i, kHotY - i);
        ink.Set(kHotX + i + 1, kHotY - i);
    }
    return ink;
}

Ink Drawing(int index) {
    switch (index) {
    case 0:
        return Magnifier(false);
    case 1:
        return Magnifier(true);
    case 2:
        return ShortCross();
    case 3:
        return Eraser();
    case 4:
        return Hand();
    case 5:
        return Pen();
    case 6:
        return FullCross();
    case 7:
        return FullCross() ^ Square();
    case 8:
    case 12:
        return Arrows(true, true);
    case 9:
        return Arrows(false, true);
    case 10:
        return Arrows(true, true) ^ Square();
    case 11:
        return Arrows(true, false);
    case 13:
        return FullCross() ^ Square() ^ Sign(true);
    case 14:
        return FullCross() ^ Square() ^ Sign(false);
    case 15:
        return GapCross();
    case 16:
        return GapCross() ^ Sign(true);
    default:
        return GapCross() ^ Sign(false);
    }
}
} // namespace

TCursorShape ViewCursorShape(int id) {
    int index = id - kFirstViewCursor;
    TCursorShape shape;
    // AND 1 everywhere: drawn pixels (XOR 1) invert the screen, the rest is transparent.
    shape.andMask.fill(0xFFFFFFFFu);
    if (index >= 0 && index < kViewCursorCount)
        shape.xorMask = Drawing(index).rows;
    shape.hotX = kHotX;
    shape.hotY = kHotY;
    return shape;
}

void RegisterViewCursors() {
    if (!Screen)
        return;
    for (int i = 0; i < kViewCursorCount; ++i)
        Screen->RegisterCursor(kFirstViewCursor + i, ViewCursorShape(kFirstViewCursor + i));
}
