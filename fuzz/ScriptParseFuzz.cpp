// Fuzz target: the script parser on any text. It either returns commands that each name a
// known verb with a fitting number of arguments, in line order, or refuses with one
// "FILE:LINE: reason" message; it never crashes or reads outside its buffers.
#include "FuzzScratchFile.hpp"
#include "Script.hpp"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>

namespace {

[[noreturn]] void Fault(const std::string& what) {
    std::fprintf(stderr, "script parse: %s\n", what.c_str());
    std::abort();
}

// Fewest and most arguments of each verb, as the README lists them.
const std::map<std::string, std::pair<size_t, size_t>> kArity = {
    {"click", {1, 1}}, {"text", {2, 2}}, {"down", {3, 4}},  {"move", {3, 4}},
    {"up", {3, 4}},    {"drag", {5, 5}}, {"wheel", {2, 2}}, {"key", {2, 2}},
    {"wait", {1, 1}},  {"shot", {1, 1}}, {"close", {0, 0}},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FuzzScratchFile scratch("script");
    if (!scratch.Write(data, size))
        Fault("cannot write the scratch file");

    std::vector<ScriptCommand> commands;
    try {
        commands = ScriptPlayer::Parse(scratch.Path());
    } catch (const std::runtime_error& refused) {
        const std::string message = refused.what();
        const std::string prefix = scratch.Path() + ":";
        if (message.rfind(prefix, 0) != 0 || message.find('\n') != std::string::npos)
            Fault("refusal without one FILE:LINE: reason line: " + message);
        return 0;
    }
    int previousLine = 0;
    for (const ScriptCommand& command : commands) {
        auto arity = kArity.find(command.verb);
        if (arity == kArity.end())
            Fault("accepted an unknown verb: " + command.verb);
        if (command.args.size() < arity->second.first || command.args.size() > arity->second.second)
            Fault("accepted a wrong argument count for " + command.verb);
        if (command.line <= previousLine)
            Fault("commands out of line order");
        previousLine = command.line;
        for (const std::string& arg : command.args)
            if (arg.find_first_of("\n#") != std::string::npos)
                Fault("an argument holds a line break or a comment");
    }
    return 0;
}
