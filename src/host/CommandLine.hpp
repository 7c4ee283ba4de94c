// The options of imagora.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct HostOptions {
    std::vector<std::string> images;
    int select = 0;
    std::string plugin; // empty: tweenkit.hpx beside the executable
    bool still = false; // a current image but no V/A sequence
    bool info = false;
    bool headless = false;
    bool help = false;
    bool timings = false; // --timings: render and write times on stderr
    std::optional<std::string> script;
    std::vector<std::string> saves; // each a folder of PNG files or one animation or video file
    std::string format;             // --format: overrides the extension of every save
    std::optional<std::string> geometry; // the module's geometry file
    bool render = false;                 // "Morph it!" on the geometry file, no person needed
    bool autoFit = false;                // the mesh fitted to the two frames first
};

// Parses argv; throws std::runtime_error with a one-line reason.
HostOptions ParseCommandLine(int argc, char** argv);
// The backend to open: "sdl" when a display is named (DISPLAY or WAYLAND_DISPLAY)
// and the run shows windows, else "headless".
const char* PreferredBackend(const HostOptions& options);
// The text of --help.
const char* UsageText();
