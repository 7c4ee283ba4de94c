#include "GeometryOptions.hpp"

#include "Application.hpp"
#include "Script.hpp"

#include <filesystem>
#include <memory>
#include <stdexcept>

void ApplyGeometryOptions(const HostOptions& options, Module& module, TApplication& app) {
    if (!options.geometry)
        return;
    if (!module.SetGeometryFile)
        throw std::runtime_error("--geometry: the module does not export HPI_SetGeometryFile");
    std::error_code ec;
    if (options.autoFit && !module.SetAutoFit)
        throw std::runtime_error("--auto-fit: the module does not export HPI_SetAutoFit");
    // An auto-fit lays its own mesh where the file has none, or there is no file yet.
    if (options.render && !options.autoFit &&
        !std::filesystem::is_regular_file(*options.geometry, ec))
        throw std::runtime_error(*options.geometry + ": no such geometry file");
    module.SetGeometryFile(options.geometry->c_str());
    if (module.SetAutoFit)
        module.SetAutoFit(options.autoFit ? 1 : 0);
    if (options.render) {
        std::vector<ScriptCommand> press = {ScriptCommand{1, "click", {"MorphFinal_btn"}}};
        app.SetScript(std::make_unique<ScriptPlayer>("--render", std::move(press)));
    }
}

void CheckRendered(const HostOptions& options, int framesBefore, int framesAfter) {
    if (options.render && framesAfter == framesBefore)
        throw std::runtime_error("--render: nothing was rendered from " + *options.geometry);
}
