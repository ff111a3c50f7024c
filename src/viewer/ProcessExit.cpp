#include "viewer/ProcessExit.h"

#include <cstdio>
#include <cstdlib>

namespace viewer {

namespace {
ProcessExitHandler& installed() {
  static ProcessExitHandler handler;
  return handler;
}
}  // namespace

ProcessExitHandler SetProcessExitHandler(ProcessExitHandler handler) {
  ProcessExitHandler previous = std::move(installed());
  installed() = std::move(handler);
  return previous;
}

void ExitProcess(int exitCode) {
  if (installed()) installed()(exitCode);
  std::fflush(nullptr);
  std::exit(exitCode);
}

}  // namespace viewer
