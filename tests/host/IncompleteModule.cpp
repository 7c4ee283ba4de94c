// A module with four of the five exports: HPI_Execute is missing.
#include "HostRecords.hpp"

extern "C" {
const char* HPI_Identification() {
    return "Incomplete";
}
int32_t HPI_GetExtension() {
    return 0;
}
int32_t HPI_GetPlugInVersion() {
    return 0;
}
char* HPI_STDCALL HPI_Description(char* buffer) {
    buffer[0] = 0;
    return buffer;
}
}
