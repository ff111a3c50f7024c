#include "platform/capture/AviWriter.h"

#include <cstdlib>
#include <mutex>

#include "platform/Environment.h"
#include "platform/HardwareLibrary.h"

namespace platform {

namespace {

constexpr const char kAviModule[] = "libvyx-avi.so";

using Factory = AviWriter* (*)();

std::string ModulePath() {
  const char* chosen = std::getenv("VYX_AVI_MODULE");
  std::string name = chosen && *chosen ? chosen : kAviModule;
  if (name.find('/') != std::string::npos) return name;
  return ExecutableFolder() + name;
}

}  // namespace

std::unique_ptr<AviWriter> CreateAviWriter(std::string* error) {
  // The module stays loaded for the rest of the run: writers made from it may outlive any one
  // caller, and loading the codec libraries again costs more than keeping them.
  static std::mutex lock;
  static Factory factory = nullptr;
  static std::string loadError;
  std::lock_guard<std::mutex> hold(lock);
  if (!factory && loadError.empty()) {
    const std::string path = ModulePath();
    ModuleHandle module = LoadModule(path);
    void* entry = FindExport(module, kAviWriterFactory);
    if (entry) {
      factory = reinterpret_cast<Factory>(entry);
    } else {
      FreeHardwareLibrary(module);
      loadError = "Cannot load the AVI writer " + path;
    }
  }
  if (!factory) {
    if (error) *error = loadError;
    return nullptr;
  }
  return std::unique_ptr<AviWriter>(factory());
}

}  // namespace platform
