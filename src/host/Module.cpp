#include "Module.hpp"

#include <dlfcn.h>
#include <stdexcept>

namespace {
template <class F> F Lookup(void* handle, const std::string& path, const char* name) {
    void* symbol = dlsym(handle, name);
    if (!symbol) {
        dlclose(handle);
        throw std::runtime_error(path + ": the module does not export " + name);
    }
    return reinterpret_cast<F>(symbol);
}
} // namespace

Module::Module(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        throw std::runtime_error(path + ": cannot load the module (" + dlerror() + ")");
    Identification = Lookup<IdentificationFn>(handle_, path, "HPI_Identification");
    GetExtension = Lookup<IntFn>(handle_, path, "HPI_GetExtension");
    GetPlugInVersion = Lookup<IntFn>(handle_, path, "HPI_GetPlugInVersion");
    Description = Lookup<DescriptionFn>(handle_, path, "HPI_Description");
    Execute = Lookup<ExecuteFn>(handle_, path, "HPI_Execute");
    SetGeometryFile = reinterpret_cast<SetGeometryFileFn>(dlsym(handle_, "HPI_SetGeometryFile"));
    SetAutoFit = reinterpret_cast<SetAutoFitFn>(dlsym(handle_, "HPI_SetAutoFit"));
}

Module::~Module() {
    dlclose(handle_);
}
