// imagora: a small host that holds a V/A sequence of image frames and runs the
// morphing module on it.
#include "Application.hpp"
#include "CommandLine.hpp"
#include "GeometryOptions.hpp"
#include "HostSession.hpp"
#include "Module.hpp"
#include "Script.hpp"
#include "SequenceFiles.hpp"

#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace {

std::string DefaultModulePath() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? "tweenkit.hpx" : (exe.parent_path() / "tweenkit.hpx").string();
}

// The description is Windows-1252 text; the terminal wants UTF-8.
std::string Cp1252ToUtf8(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == 0x95)
            out += "\u2022";
        else if (c < 0x80)
            out += static_cast<char>(c);
        else if (c >= 0xA0) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else
            out += "?";
    }
    return out;
}

void PrintInfo(Module& module) {
    std::vector<char> buffer(4096, 0);
    const char* home = module.Description(buffer.data());
    std::cout << "identification: " << module.Identification() << '\n'
              << "extension: " << module.GetExtension() << '\n'
              << "version: " << module.GetPlugInVersion() << '\n'
              << "description:\n"
              << Cp1252ToUtf8(buffer.data()) << '\n'
              << "home page: " << home << '\n';
}

int Run(int argc, char** argv) {
    HostOptions options = ParseCommandLine(argc, argv);
    if (options.help) {
        std::cout << UsageText();
        return 0;
    }
    std::unique_ptr<Backend> backend = CreateBackend(PreferredBackend(options));
    if (!backend) {
        std::cerr << "imagora: cannot open the display; windows stay in memory (--headless)\n";
        backend = CreateBackend("headless");
    }
    auto app = std::make_unique<TApplication>(std::move(backend));
    Module module(options.plugin.empty() ? DefaultModulePath() : options.plugin);
    if (options.info) {
        PrintInfo(module);
        return 0;
    }

    TMultiView frames(nullptr);
    LoadFrames(options.images, frames);
    if (!options.images.empty()) {
        if (options.select >= frames.GetImageCount())
            throw std::runtime_error("--select " + std::to_string(options.select) +
                                     ": the sequence has " +
                                     std::to_string(frames.GetImageCount()) + " frames");
        frames.SetSelectedItem(options.select);
    }
    if (options.script)
        app->SetScript(
            std::make_unique<ScriptPlayer>(*options.script, ScriptPlayer::Parse(*options.script)));
    ApplyGeometryOptions(options, module, *app);
    if (options.saveDir)
        PrepareOutputDir(*options.saveDir);
    const int framesBefore = frames.GetImageCount();

    int32_t result;
    {
        HostSession session(frames);
        session.SetStill(options.still);
        std::cout << module.Identification() << std::endl;
        result = module.Execute(session.Context(), &HostSession::Callback);
    }
    std::cout << "result: " << result << std::endl;
    if (app->ExitCode() != 0)
        return app->ExitCode();
    CheckRendered(options, framesBefore, frames.GetImageCount());
    if (options.saveDir) {
        SaveFrames(frames, *options.saveDir);
        std::cout << "frames: " << frames.GetImageCount() << std::endl;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "imagora: " << error.what() << '\n';
        return 2;
    }
}
