// Ending the process from inside the program (the orderly shut-down, a failed card at start).
// Tests that run the program in their own process install a handler that throws instead, so
// that they can look at what the program left behind.
#pragma once

#include <functional>

namespace viewer {

using ProcessExitHandler = std::function<void(int exitCode)>;

// Installs a handler (an empty one restores the default) and returns the previous one.
ProcessExitHandler SetProcessExitHandler(ProcessExitHandler handler);

// Runs the installed handler; when there is none, or it returns, ends the process with the code.
[[noreturn]] void ExitProcess(int exitCode);

// What the test handler throws.
struct ProcessExited {
  int exitCode;
};

}  // namespace viewer
