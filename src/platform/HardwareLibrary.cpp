#include "platform/HardwareLibrary.h"

#include <dlfcn.h>

#include <cstdlib>

#include "platform/Environment.h"

namespace platform {

namespace {

constexpr const char kRealLibrary[] = "libhwiodrv.so";
constexpr const char kSimLibrary[] = "libhwiodrv-sim.so";

}  // namespace

std::string HardwareLibraryPath() {
  const char* chosen = std::getenv("VYX_HWIODRV");
  std::string name = chosen && *chosen ? chosen
                     : SimulationEnabled() ? kSimLibrary
                                           : kRealLibrary;
  if (name.find('/') != std::string::npos) return name;
  return ExecutableFolder() + name;
}

ModuleHandle LoadHardwareLibrary() { return LoadModule(HardwareLibraryPath()); }

ModuleHandle LoadModule(const std::string& path) {
  // RTLD_NOW: a library with unresolved symbols is refused here, not at its first use.
  int flags = RTLD_NOW | RTLD_LOCAL;
#ifdef VYX_FUZZING
  // The fuzzer keeps the coverage counters of every module loaded into the process and clears
  // them before each run: an unloaded module would leave it writing into freed memory.
  flags |= RTLD_NODELETE;
#endif
  return dlopen(path.c_str(), flags);
}

void* FindExport(ModuleHandle library, const char* name) {
  return library ? dlsym(library, name) : nullptr;
}

void FreeHardwareLibrary(ModuleHandle library) {
  if (library) dlclose(library);
}

}  // namespace platform
