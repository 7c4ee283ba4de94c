// Replays a fuzz target's corpus without the fuzzing engine: every file named on the command
// line, and every file inside each folder named, goes once through LLVMFuzzerTestOneInput.
// A fault aborts the process (under the sanitizers, with their report), so a CTest run of
// this program fails on any input that fails.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> InputsOf(const fs::path& where) {
    std::vector<fs::path> inputs;
    if (fs::is_directory(where)) {
        for (const auto& entry : fs::directory_iterator(where))
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
        std::sort(inputs.begin(), inputs.end());
    } else {
        inputs.push_back(where);
    }
    return inputs;
}

} // namespace

int main(int argc, char** argv) {
    size_t replayed = 0;
    for (int a = 1; a < argc; ++a) {
        if (!fs::exists(argv[a])) {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[a]);
            return 2;
        }
        for (const fs::path& input : InputsOf(argv[a])) {
            std::ifstream in(input, std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
            if (!in.eof() && in.fail()) {
                std::fprintf(stderr, "%s: cannot read\n", input.c_str());
                return 2;
            }
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    if (replayed == 0) {
        std::fprintf(stderr, "no inputs to replay\n");
        return 2;
    }
    std::printf("replayed %zu inputs\n", replayed);
    return 0;
}
