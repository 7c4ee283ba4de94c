#pragma once

#include <cstdint>
#include <string>

// What a fit placed: the inner nodes of a mesh or the points of the field lines.
enum class FitSubject { MeshNodes, FieldPoints };

// How a fit went. Of total points, fitted moved to where their picture content went; held of
// those stopped short of their match to keep the mesh in order; the rest kept their place.
struct FitCount {
    int32_t fitted = 0; // moved by the fit, held ones included
    int32_t held = 0;   // moved, but short of their match
    int32_t total = 0;  // points the fit was asked to place
};

// The status line the editor shows after a fit, or "" when every point went where its match
// led: "fitted 287 of 300 nodes", with how many were held back, or that nothing moved.
std::string FitStatusMessage(const FitCount& count, FitSubject subject);
