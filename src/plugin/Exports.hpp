// The module's exported entry points, with C linkage and plain names.
#pragma once

#include "HostRecords.hpp"

extern "C" {
// The module's identification text, in a module-owned buffer.
const char* HPI_Identification();
// The extension code of the module.
int32_t HPI_GetExtension();
// The module's version number.
int32_t HPI_GetPlugInVersion();
// Writes the description at buffer and the home page at buffer + 2048; returns the latter.
char* HPI_STDCALL HPI_Description(char* buffer);
// Runs the editor on the host's sequence: 0, or -1 without an image, -2 without a sequence.
int32_t HPI_STDCALL HPI_Execute(HostContext* context, HostCommand command);
// Optional: names the file where later runs of the editor keep and find their
// geometry; a null or empty path turns keeping off. A host that never calls it
// gets an editor that stores and restores nothing.
void HPI_STDCALL HPI_SetGeometryFile(const char* path);
// Optional: with on non-zero, later runs of the editor fit a mesh to the two
// frames as the window shows (the default mesh when the geometry file holds none)
// and print how the fit went on stderr; 0 turns it off again.
void HPI_STDCALL HPI_SetAutoFit(int32_t on);
}

// Offset of the home page address in the description buffer.
constexpr int kHomePageOffset = 2048;
