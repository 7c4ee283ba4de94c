// The plug-in module as the host loads it: the library and its five exports.
#pragma once

#include "HostRecords.hpp"

#include <string>

class Module {
public:
    using IdentificationFn = const char* (*)();
    using IntFn = int32_t (*)();
    using DescriptionFn = char*(HPI_STDCALL*)(char*);
    using ExecuteFn = int32_t(HPI_STDCALL*)(HostContext*, HostCommand);
    using SetGeometryFileFn = void(HPI_STDCALL*)(const char*);
    using SetAutoFitFn = void(HPI_STDCALL*)(int32_t);

    // Loads the module and looks up all five exports and the optional others; throws
    // std::runtime_error naming what is missing.
    explicit Module(const std::string& path);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    IdentificationFn Identification = nullptr;
    IntFn GetExtension = nullptr;
    IntFn GetPlugInVersion = nullptr;
    DescriptionFn Description = nullptr;
    ExecuteFn Execute = nullptr;
    // Optional: null when the module does not export HPI_SetGeometryFile.
    SetGeometryFileFn SetGeometryFile = nullptr;
    // Optional: null when the module does not export HPI_SetAutoFit.
    SetAutoFitFn SetAutoFit = nullptr;

private:
    void* handle_ = nullptr;
};
