// Small helpers shared by the image view tests: a view on an unshown form and pattern bitmaps.
#pragma once

#include "Form.hpp"
#include "graphics/Bitmap.hpp"

// A colour that differs for every pixel of a small bitmap.
inline TColor PatternColour(int x, int y) {
    return RGB(static_cast<uint8_t>(x * 7 + 1), static_cast<uint8_t>(y * 5 + 2),
               static_cast<uint8_t>((x ^ y) + 3));
}

inline TBitmap Pattern(int w, int h, TPixelFormat pf = pf24bit) {
    TBitmap b(w, h, pf);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, PatternColour(x, y));
    return b;
}

// A view of type View with no border on a form, its client area clientW x clientH.
template <class View> struct Placed {
    Placed(int clientW, int clientH) {
        form.SetClientSize(clientW + 20, clientH + 20);
        view.SetParent(&form);
        view.SetBorderStyle(bsNone);
        view.SetBounds(0, 0, clientW, clientH);
    }
    // The composed client picture; also computes the paint coefficients.
    TBitmap Compose() {
        TBitmap out(view.GetClientWidth(), view.GetClientHeight(), pf24bit);
        view.PaintTo(out.Canvas(), 0, 0);
        return out;
    }
    TForm form{nullptr};
    View view{&form};
};
