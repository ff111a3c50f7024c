// Loading the hardware I/O library: the shared library with the six C exports through which the
// chip object reaches the card. It is loaded by file name from the executable's folder:
// libhwiodrv.so (real card) normally, libhwiodrv-sim.so (simulated card) with the simulation
// switch on. VYX_HWIODRV overrides both: a bare file name is looked up in the executable's
// folder, a name with a '/' is used as given. Other optional plug-in libraries are loaded by
// path through the same calls.
#pragma once

#include <string>

namespace platform {

using ModuleHandle = void*;

// The file the next LoadHardwareLibrary will try.
std::string HardwareLibraryPath();

// Null when the file is missing or cannot be loaded.
ModuleHandle LoadHardwareLibrary();

// Loads the shared library at `path`; null when it is missing or cannot be loaded.
ModuleHandle LoadModule(const std::string& path);

// The address of an export, or null when the library lacks it.
void* FindExport(ModuleHandle library, const char* name);

// Releases a handle from LoadHardwareLibrary or LoadModule (null is ignored).
void FreeHardwareLibrary(ModuleHandle library);

}  // namespace platform
