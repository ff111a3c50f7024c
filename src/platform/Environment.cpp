#include "platform/Environment.h"

#include <cstdlib>
#include <filesystem>

namespace platform {

namespace {

std::string withSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

}  // namespace

bool SimulationEnabled() {
  const char* v = std::getenv("VYX_SIM");
  return v && *v && std::string(v) != "0";
}

std::string ExecutableFolder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  return withSlash(exe.parent_path().string());
}

std::string ProgramFolder() {
  const char* home = std::getenv("VYX_HOME");
  if (home && *home) return withSlash(home);
  return ExecutableFolder();
}

}  // namespace platform
