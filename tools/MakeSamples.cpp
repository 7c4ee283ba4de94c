// Draws the two sample pictures of the demo: one drawn face, seen first facing ahead on a day
// sky, then turned to its right, larger, warmer and smiling under a dusk sky. The features of
// the two correspond, so a mesh laid on them carries one into the other.
// Usage: make-samples [--size WxH] DIR   (default 320x240; the drawing scales with the size)
#include "graphics/Bitmap.hpp"
#include "graphics/Canvas.hpp"
#include "graphics/ImageFile.hpp"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

// Everything is drawn on a 320 x 240 plan and scaled to the picture's size.
struct Plan {
    int width, height;
    int X(double x) const { return static_cast<int>(x * width / 320.0 + 0.5); }
    int Y(double y) const { return static_cast<int>(y * height / 240.0 + 0.5); }
    // Ellipse of centre (cx, cy) and radii rx, ry on the plan.
    void Ellipse(TCanvas& c, double cx, double cy, double rx, double ry) const {
        c.Ellipse(X(cx - rx), Y(cy - ry), X(cx + rx), Y(cy + ry));
    }
};

// A vertical gradient from top to bottom colour.
void Sky(TBitmap& image, TColor top, TColor bottom) {
    const int h = image.Height();
    for (int y = 0; y < h; ++y) {
        auto mix = [&](int shift) {
            int a = (top >> shift) & 0xFF, b = (bottom >> shift) & 0xFF;
            return (a * (h - 1 - y) + b * y) / std::max(h - 1, 1);
        };
        const TColor c = RGB(mix(0), mix(8), mix(16));
        uint8_t* row = image.ScanLine(y);
        for (int x = 0; x < image.Width(); ++x, row += 3) {
            row[0] = GetBValue(c);
            row[1] = GetGValue(c);
            row[2] = GetRValue(c);
        }
    }
}

// Where the face's parts are, on the plan, and its colours.
struct Face {
    double cx, cy, rx, ry;          // head
    double eyeY, leftEye, rightEye; // eye centres (x), their height (y)
    double eyeR;
    double noseX, noseY;
    double mouthX, mouthY, mouthW, mouthH;
    TColor skin, outline, cheeks;
    bool smile;
};

void DrawFace(TCanvas& c, const Plan& p, const Face& f) {
    const int pen = std::max(1, p.X(2));
    c.Pen.Width = pen;
    c.Pen.Color = f.outline;
    c.Brush.Color = f.skin;
    p.Ellipse(c, f.cx, f.cy, f.rx, f.ry);
    c.Pen.Color = f.cheeks;
    c.Brush.Color = f.cheeks;
    p.Ellipse(c, f.leftEye - 6, f.eyeY + 26, 9, 6);
    p.Ellipse(c, f.rightEye + 6, f.eyeY + 26, 9, 6);
    c.Pen.Color = RGB(255, 255, 255);
    c.Brush.Color = RGB(255, 255, 255);
    p.Ellipse(c, f.leftEye, f.eyeY, f.eyeR * 1.5, f.eyeR * 1.2);
    p.Ellipse(c, f.rightEye, f.eyeY, f.eyeR * 1.5, f.eyeR * 1.2);
    c.Pen.Color = RGB(30, 30, 60);
    c.Brush.Color = RGB(30, 30, 60);
    p.Ellipse(c, f.leftEye + (f.smile ? 3 : 0), f.eyeY, f.eyeR * 0.7, f.eyeR * 0.7);
    p.Ellipse(c, f.rightEye + (f.smile ? 3 : 0), f.eyeY, f.eyeR * 0.7, f.eyeR * 0.7);
    c.Pen.Color = f.outline;
    c.Brush.Color = f.outline;
    p.Ellipse(c, f.noseX, f.noseY, 4, 5);
    c.Pen.Color = RGB(150, 30, 40);
    c.Brush.Color = RGB(150, 30, 40);
    p.Ellipse(c, f.mouthX, f.mouthY, f.mouthW / 2, f.mouthH / 2);
    if (f.smile) { // the upper half covered in skin leaves a grin
        c.Pen.Color = f.skin;
        c.Brush.Color = f.skin;
        p.Ellipse(c, f.mouthX, f.mouthY - f.mouthH * 0.3, f.mouthW / 2, f.mouthH * 0.35);
    }
}

void Ground(TCanvas& c, const Plan& p, TColor colour) {
    c.Pen.Color = colour;
    c.Brush.Color = colour;
    c.Rectangle(0, p.Y(205), p.width, p.height);
}

TBitmap Start(const Plan& p) {
    TBitmap image(p.width, p.height, pf24bit);
    Sky(image, RGB(70, 140, 230), RGB(200, 230, 255));
    TCanvas& c = image.Canvas();
    Ground(c, p, RGB(60, 170, 60));
    DrawFace(c, p,
             {144, 110, 62, 68, 95, 120, 168, 8, 144, 118, 144, 145, 34, 8, RGB(255, 224, 90),
              RGB(170, 120, 20), RGB(250, 190, 110), false});
    return image;
}

TBitmap Final(const Plan& p) {
    TBitmap image(p.width, p.height, pf24bit);
    Sky(image, RGB(40, 20, 90), RGB(250, 120, 60));
    TCanvas& c = image.Canvas();
    Ground(c, p, RGB(30, 70, 50));
    DrawFace(c, p,
             {160, 108, 68, 74, 90, 150, 196, 9, 170, 116, 170, 146, 56, 26, RGB(250, 150, 50),
              RGB(150, 60, 10), RGB(235, 90, 80), true});
    return image;
}

} // namespace

int main(int argc, char** argv) {
    Plan plan{320, 240};
    std::string dir;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--size" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%dx%d", &plan.width, &plan.height) != 2 ||
                plan.width < 32 || plan.height < 24 || plan.width > 16384 || plan.height > 16384) {
                std::cerr << "make-samples: --size needs WxH between 32x24 and 16384x16384\n";
                return 2;
            }
        } else if (dir.empty() && arg[0] != '-') {
            dir = arg;
        } else {
            dir.clear();
            break;
        }
    }
    if (dir.empty()) {
        std::cerr << "usage: make-samples [--size WxH] DIR\n";
        return 2;
    }
    std::string error;
    for (auto [name, image] :
         {std::pair{"start.png", Start(plan)}, std::pair{"final.png", Final(plan)}})
        if (!SavePng(dir + "/" + name, image, error)) {
            std::cerr << "make-samples: " << error << '\n';
            return 2;
        }
    return 0;
}
