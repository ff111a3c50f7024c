// A program folder for a benchmark's run of vyx on the simulated machine: made in /tmp by the
// vyx-demo-folder tool (every default setting, the simulated stations as channels).
#pragma once

#include <cstdlib>
#include <string>

namespace bench {

// The folder, or empty when it cannot be made.
inline std::string MakeProgramFolder(const std::string& demoFolderTool) {
  char pattern[] = "/tmp/vyx-bench-XXXXXX";
  const char* dir = mkdtemp(pattern);
  if (!dir) return {};
  const std::string command = demoFolderTool + " " + dir + " >/dev/null";
  if (std::system(command.c_str()) != 0) return {};
  return dir;
}

}  // namespace bench
