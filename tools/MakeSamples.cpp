// Draws the two sample images of the demo: a day scene and a dusk scene whose
// shapes sit in different places, so a morph between them is worth watching.
#include "graphics/Bitmap.hpp"
#include "graphics/Canvas.hpp"
#include "graphics/ImageFile.hpp"

#include <iostream>
#include <string>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

// A vertical gradient from top to bottom colour.
void Sky(TBitmap& image, TColor top, TColor bottom) {
    for (int y = 0; y < kHeight; ++y) {
        auto mix = [&](int shift) {
            int a = (top >> shift) & 0xFF, b = (bottom >> shift) & 0xFF;
            return (a * (kHeight - 1 - y) + b * y) / (kHeight - 1);
        };
        TColor c = RGB(mix(0), mix(8), mix(16));
        for (int x = 0; x < kWidth; ++x)
            image.SetPixel(x, y, c);
    }
}

TBitmap Day() {
    TBitmap image(kWidth, kHeight, pf24bit);
    Sky(image, RGB(70, 140, 230), RGB(200, 230, 255));
    TCanvas& c = image.Canvas();
    c.Pen.Color = RGB(200, 160, 0);
    c.Brush.Color = RGB(255, 220, 40);
    c.Ellipse(40, 30, 110, 100);
    c.Pen.Color = RGB(30, 110, 30);
    c.Brush.Color = RGB(60, 170, 60);
    c.Rectangle(0, 180, kWidth, kHeight);
    c.Brush.Color = RGB(150, 90, 40);
    c.Rectangle(200, 120, 260, 180);
    return image;
}

TBitmap Dusk() {
    TBitmap image(kWidth, kHeight, pf24bit);
    Sky(image, RGB(40, 20, 90), RGB(250, 120, 60));
    TCanvas& c = image.Canvas();
    c.Pen.Color = RGB(170, 30, 20);
    c.Brush.Color = RGB(230, 60, 40);
    c.Ellipse(200, 120, 290, 210);
    c.Pen.Color = RGB(20, 40, 30);
    c.Brush.Color = RGB(30, 70, 50);
    c.Rectangle(0, 200, kWidth, kHeight);
    c.Brush.Color = RGB(60, 40, 30);
    c.Rectangle(40, 110, 120, 200);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-samples DIR\n";
        return 2;
    }
    std::string dir = argv[1];
    std::string error;
    for (auto [name, image] : {std::pair{"start.png", Day()}, std::pair{"final.png", Dusk()}})
        if (!SavePng(dir + "/" + name, image, error)) {
            std::cerr << "make-samples: " << error << '\n';
            return 2;
        }
    return 0;
}
