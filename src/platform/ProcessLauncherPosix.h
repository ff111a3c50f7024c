// The real backend of program starts: posix_spawn, and waitpid for the end. The program gets the
// environment and current folder of ours, an empty signal mask and default signal handling. A
// handle destroyed before its program has been waited for leaves a small thread behind that
// collects the program's end, so no ended program lingers as a zombie.
#pragma once

#include "platform/ProcessLauncher.h"

namespace platform {

ProcessLauncher& PosixProcessLauncher();

}  // namespace platform
