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
}

// Offset of the home page address in the description buffer.
constexpr int kHomePageOffset = 2048;
