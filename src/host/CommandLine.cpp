#include "CommandLine.hpp"

#include <charconv>
#include <cstdlib>
#include <stdexcept>

const char* UsageText() {
    return "usage: imagora [options] FILE...\n"
           "Reads each file into a new V/A sequence and runs the morphing module on it: a still\n"
           "image (PNG, JPEG, BMP, GIF, TIFF, WebP, HEIF) is one frame; an animated GIF or WebP\n"
           "and a video (MP4, MOV, WebM, MKV, AVI) give every frame with its delay.\n"
           "\n"
           "options:\n"
           "  --select N     the selected frame, the start image (default 0)\n"
           "  --plugin PATH  the module to load (default tweenkit.hpx beside imagora)\n"
           "  --still        hold the first image without a V/A sequence\n"
           "  --info         print the module's identification and description, then exit\n"
           "  --headless     no windows on screen; scripts run on a virtual clock\n"
           "                 (the default when no display is available)\n"
           "  --script FILE  drive the windows from a script of user actions\n"
           "  --save DIR     afterwards write the sequence as DIR/frame_NNNN.png and\n"
           "                 DIR/sequence.txt\n"
           "  --save FILE    afterwards write the sequence as one FILE.gif, FILE.webp,\n"
           "                 FILE.mp4 (H.264) or FILE.webm (VP8), each frame held for its delay\n"
           "                 (--save may be given more than once: one run, several outputs)\n"
           "  --format NAME  png, gif, webp, mp4 or webm: the format of every --save\n"
           "                 whatever its extension\n"
           "  --timings      print how long the run and the writing took on stderr\n"
           "  --geometry FILE  the editor keeps its meshes and lines in FILE and finds\n"
           "                 them there the next time (frames of the same size)\n"
           "  --render       with --geometry: render the final sequence from FILE without\n"
           "                 waiting for a person (headless)\n"
           "  --auto-fit     with --geometry: first fit the mesh to the two frames (the\n"
           "                 default mesh when FILE holds none) and print how it went\n"
           "  --help         print this text\n";
}

HostOptions ParseCommandLine(int argc, char** argv) {
    HostOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                throw std::runtime_error(arg + " needs a value");
            return argv[++i];
        };
        if (arg == "--select") {
            std::string v = value();
            auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), options.select);
            if (ec != std::errc() || end != v.data() + v.size() || options.select < 0)
                throw std::runtime_error("--select needs a frame number, not '" + v + "'");
        } else if (arg == "--plugin") {
            options.plugin = value();
        } else if (arg == "--script") {
            options.script = value();
        } else if (arg == "--save") {
            options.saves.push_back(value());
        } else if (arg == "--format") {
            options.format = value();
        } else if (arg == "--geometry") {
            options.geometry = value();
        } else if (arg == "--render") {
            options.render = true;
        } else if (arg == "--auto-fit") {
            options.autoFit = true;
        } else if (arg == "--still") {
            options.still = true;
        } else if (arg == "--info") {
            options.info = true;
        } else if (arg == "--timings") {
            options.timings = true;
        } else if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw std::runtime_error("unknown option " + arg);
        } else {
            options.images.push_back(arg);
        }
    }
    if (options.render && !options.geometry)
        throw std::runtime_error("--render needs --geometry FILE");
    if (options.autoFit && !options.geometry)
        throw std::runtime_error("--auto-fit needs --geometry FILE");
    if (options.render && options.script)
        throw std::runtime_error("--render takes no --script");
    return options;
}

const char* PreferredBackend(const HostOptions& options) {
    auto named = [](const char* variable) {
        const char* value = std::getenv(variable);
        return value && *value;
    };
    bool display = named("DISPLAY") || named("WAYLAND_DISPLAY");
    return display && !options.headless && !options.render && !options.info && !options.help
               ? "sdl"
               : "headless";
}
