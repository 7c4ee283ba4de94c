#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

#include "FitDestination.hpp"
#include "TestImages.hpp"

// Pictures with known motion for the auto-fit tests: a texture defined everywhere in the
// plane, and motions that say where the content at a position of the picture at time t came
// from, so the picture at any time and the true place of every source point are known.

// A position in the plane, in pixels, rows from the top.
struct Spot {
    double x;
    double y;
};

// Smooth value noise of one octave: seeded lattice values blended with a smoothstep.
inline double ValueNoise(double x, double y, uint32_t seed) {
    const auto lattice = [seed](int64_t i, int64_t j) {
        uint32_t h = static_cast<uint32_t>(i) * 374761393u + static_cast<uint32_t>(j) * 668265263u +
                     seed * 2246822519u;
        h = (h ^ (h >> 13)) * 1274126177u;
        h ^= h >> 16;
        return static_cast<double>(h & 1023u) / 1023.0 - 0.5;
    };
    const auto smooth = [](double f) { return f * f * (3.0 - 2.0 * f); };
    const double fi = std::floor(x);
    const double fj = std::floor(y);
    const auto i = static_cast<int64_t>(fi);
    const auto j = static_cast<int64_t>(fj);
    const double u = smooth(x - fi);
    const double v = smooth(y - fj);
    const double top = lattice(i, j) * (1.0 - u) + lattice(i + 1, j) * u;
    const double bottom = lattice(i, j + 1) * (1.0 - u) + lattice(i + 1, j + 1) * u;
    return top * (1.0 - v) + bottom * v;
}

// Byte b of the texture at (x, y): three octaves of noise, a different pattern per colour.
inline uint8_t TextureByte(double x, double y, int32_t b) {
    const uint32_t seed = 10u * static_cast<uint32_t>(b);
    const double value = 128.0 + 120.0 * ValueNoise(x / 26.0, y / 26.0, seed + 1) +
                         170.0 * ValueNoise(x / 8.0, y / 8.0, seed + 2) +
                         90.0 * ValueNoise(x / 4.0, y / 4.0, seed + 3);
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

// Where the content at (x, y) of the picture at time t (0 start, 1 final) came from.
using Motion = std::function<Spot(double x, double y, double t)>;

// The textured start image moved by motion, as it looks at time t.
inline void RenderAt(const Motion& motion, double t, OwnedImage& out) {
    for (int32_t y = 0; y < out.image.height; ++y) {
        for (int32_t x = 0; x < out.image.width; ++x) {
            const Spot from = motion(x, y, t);
            for (int32_t b = 0; b < 3; ++b) {
                out.At(x, y, b) = TextureByte(from.x, from.y, b);
            }
        }
    }
}

// Where the content at the source point q is in the final picture: the position p whose
// origin at t = 1 is q, found by fixed-point steps (the motions here move little per pixel).
inline Spot TruePlace(const Motion& motion, Spot q) {
    Spot p = q;
    for (int i = 0; i < 50; ++i) {
        const Spot from = motion(p.x, p.y, 1.0);
        p = {p.x + (q.x - from.x), p.y + (q.y - from.y)};
    }
    return p;
}

// A smooth warp of a width x height picture: a bulge of up to 20 pixels over a few hundred
// pixels, fading to nothing at the picture's edges, where a mesh's border nodes are pinned.
inline Motion SmoothWarp(int32_t width, int32_t height) {
    return [width, height](double x, double y, double t) {
        const double pi = std::numbers::pi;
        const double fade = std::sin(pi * x / (width - 1)) * std::sin(pi * y / (height - 1));
        const double ux = fade * (12.0 + 5.0 * std::sin(2.0 * pi * y / 420.0 + 0.7));
        const double uy = fade * (-8.0 + 6.0 * std::cos(2.0 * pi * x / 360.0 + 0.3));
        return Spot{x - t * ux, y - t * uy};
    };
}

// A shift of (9.3, -5.6) pixels and a turn of 3 degrees about the centre of a width x height
// picture.
inline Motion ShiftAndTurn(int32_t width, int32_t height) {
    return [cx = width / 2.0, cy = height / 2.0](double x, double y, double t) {
        const double angle = t * 3.0 * std::numbers::pi / 180.0;
        const double px = x - t * 9.3 - cx;
        const double py = y + t * 5.6 - cy;
        return Spot{std::cos(angle) * px + std::sin(angle) * py + cx,
                    -std::sin(angle) * px + std::cos(angle) * py + cy};
    };
}

// Root mean square distance of placed points from their true places.
inline double RmsDistance(const std::vector<Point>& placed, const std::vector<Spot>& truth) {
    double sum = 0.0;
    for (size_t i = 0; i < placed.size(); ++i) {
        sum += std::pow(placed[i].x - truth[i].x, 2) + std::pow(placed[i].y - truth[i].y, 2);
    }
    return std::sqrt(sum / static_cast<double>(placed.size()));
}
