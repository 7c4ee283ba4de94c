// imagora as a user runs the whole job: two 1920 x 1080 pictures, the default mesh, one drag,
// 100 frames rendered and written as PNG files. Reports the median render and write times
// over the runs (imagora --timings), then what each PNG level costs on one rendered frame
// beside the platform's own PNG writer.
// Usage: imagora_e2e_bench [RUNS]   (default 3)
#include "PngEncoder.hpp"
#include "graphics/ImageFile.hpp"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

long long Median(std::vector<long long> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

long long Field(const std::string& text, const std::string& name) {
    const size_t at = text.find(name + ": ");
    return at == std::string::npos ? -1 : std::atoll(text.c_str() + at + name.size() + 2);
}

uintmax_t FolderBytes(const fs::path& dir) {
    uintmax_t total = 0;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == ".png")
            total += entry.file_size();
    return total;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const fs::path dir = fs::temp_directory_path() / "imagora-e2e-bench";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string samples =
        std::string(MAKE_SAMPLES_PATH) + " --size 1920x1080 " + dir.string();
    if (std::system(samples.c_str()) != 0)
        return 1;
    // The default mesh at 1920 x 1080 has 48 x 27 inner lines; one of its nodes is dragged.
    std::ofstream(dir / "run.txt") << "click WarpMeshG_btn\ntext Frames_ed 100\n"
                                      "drag LeftView 78 77 90 85\nclick MorphFinal_btn\n";
    std::vector<long long> render, write;
    const fs::path out = dir / "out";
    for (int i = 0; i < runs; ++i) {
        fs::remove_all(out);
        const std::string command = std::string(IMAGORA_PATH) + " --headless --timings --script " +
                                    (dir / "run.txt").string() + " --save " + out.string() + " " +
                                    (dir / "start.png").string() + " " +
                                    (dir / "final.png").string() + " >" +
                                    (dir / "stdout").string() + " 2>" + (dir / "stderr").string();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "imagora failed: %s\n", Slurp(dir / "stderr").c_str());
            return 1;
        }
        const std::string timings = Slurp(dir / "stderr");
        render.push_back(Field(timings, "render"));
        write.push_back(Field(timings, "write"));
        std::printf("run %d: render %lld ms, write %lld ms\n", i + 1, render.back(), write.back());
    }
    // The same 100 frames written again by a run that renders nothing: every frame is
    // encoded after the run, on every core, none of it hidden behind the rendering.
    std::vector<long long> writeAfter;
    std::string frameList;
    for (int i = 0; i < 100; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%04d.png", i);
        frameList += " " + (out / name).string();
    }
    for (int i = 0; i < runs; ++i) {
        fs::remove_all(dir / "again");
        const std::string command = std::string(IMAGORA_PATH) + " --headless --timings --save " +
                                    (dir / "again").string() + frameList + " >" +
                                    (dir / "stdout").string() + " 2>" + (dir / "stderr").string();
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "imagora failed: %s\n", Slurp(dir / "stderr").c_str());
            return 1;
        }
        writeAfter.push_back(Field(Slurp(dir / "stderr"), "write"));
    }
    std::printf("the 100 frames written after a run: median %lld ms\n", Median(writeAfter));
    double load[3] = {};
    std::ifstream("/proc/loadavg") >> load[0] >> load[1] >> load[2];
    std::printf("imagora 100 frames 1920x1080: render median %lld ms, write median %lld ms "
                "(%d runs, %.2f MB of PNG, load average %.2f)\n",
                Median(render), Median(write), runs, FolderBytes(out) / 1e6, load[0]);

    // One rendered frame from the middle of the morph at each level, one thread.
    TBitmap frame;
    std::string error;
    if (!LoadImageFile((out / "frame_0050.png").string(), frame, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    auto time = [](auto&& job) {
        std::vector<long long> ms;
        for (int i = 0; i < 5; ++i) {
            const auto start = std::chrono::steady_clock::now();
            job();
            ms.push_back(std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now() - start)
                             .count());
        }
        return Median(ms) / 1000.0;
    };
    const fs::path platformPng = dir / "platform.png";
    const double platformMs = time([&] { SavePng(platformPng.string(), frame, error); });
    const double platformBytes = static_cast<double>(fs::file_size(platformPng));
    std::printf("platform PNG writer: %.1f ms, %.0f bytes\n", platformMs, platformBytes);
    for (int level = 1; level <= 6; ++level) {
        size_t bytes = 0;
        const double ms = time([&] { bytes = EncodePng(frame, level).size(); });
        std::printf("level %d%s: %.1f ms, %zu bytes (%.2f of the platform writer's)\n", level,
                    level == kFramePngLevel ? " (used)" : "", ms, bytes, bytes / platformBytes);
    }
    fs::remove_all(dir);
    return 0;
}
