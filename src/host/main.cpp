// imagora: a small host that holds a V/A sequence of image frames and runs the
// morphing module on it.
#include "Application.hpp"
#include "CommandLine.hpp"
#include "GeometryOptions.hpp"
#include "HostSession.hpp"
#include "Module.hpp"
#include "ProgressBar.hpp"
#include "Script.hpp"
#include "SequenceFiles.hpp"

#include <chrono>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

long long Milliseconds(Clock::duration elapsed) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

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

    // The output's format is known before anything is read: a wrong name fails at once.
    std::vector<OutputFormat> formats;
    for (const std::string& save : options.saves)
        formats.push_back(ChooseOutputFormat(save, options.format));
    if (options.saves.empty() && !options.format.empty())
        throw std::runtime_error("--format needs --save");

    TMultiView frames(nullptr);
    {
        ProgressBar bar("reading");
        LoadFrames(options.images, frames, FramePixelLimit(),
                   [&](int done, int count) { bar.Update(done, count); });
    }
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
    // The first PNG folder gets the frames encoded while the module runs.
    std::unique_ptr<PngFolderSaver> folderSaver;
    for (size_t i = 0; i < options.saves.size(); ++i) {
        PrepareOutput(options.saves[i], formats[i]);
        if (formats[i] == OutputFormat::PngFolder && !folderSaver)
            folderSaver =
                std::make_unique<PngFolderSaver>(options.saves[i], frames.GetImageCount());
    }
    const int framesBefore = frames.GetImageCount();

    int32_t result;
    const auto runStart = Clock::now();
    {
        HostSession session(frames);
        session.SetStill(options.still);
        if (folderSaver)
            session.OnFrameInserted = [&](int index, const TBitmap& frame) {
                folderSaver->FrameInserted(index, frame);
            };
        std::cout << module.Identification() << std::endl;
        result = module.Execute(session.Context(), &HostSession::Callback);
    }
    std::cout << "result: " << result << std::endl;
    if (app->ExitCode() != 0)
        return app->ExitCode();
    CheckRendered(options, framesBefore, frames.GetImageCount());
    const auto saveStart = Clock::now();
    for (size_t i = 0; i < options.saves.size(); ++i) {
        ProgressBar bar("saving " + options.saves[i]);
        const Progress progress = [&](int done, int count) { bar.Update(done, count); };
        if (formats[i] != OutputFormat::PngFolder)
            SaveSequenceFile(frames, options.saves[i], formats[i], progress);
        else if (options.saves[i] == folderSaver->Folder())
            folderSaver->Save(frames, progress);
        else
            PngFolderSaver(options.saves[i], 0).Save(frames, progress);
    }
    if (!options.saves.empty())
        std::cout << "frames: " << frames.GetImageCount() << std::endl;
    if (options.timings)
        std::cerr << "render: " << Milliseconds(saveStart - runStart)
                  << " ms\nwrite: " << Milliseconds(Clock::now() - saveStart) << " ms\n";
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
