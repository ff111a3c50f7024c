// The process's error mode: which of the system's own error boxes (a critical error such as a
// drive that is not ready, a file that cannot be opened) are suppressed. This system shows no such
// boxes; the mode is kept so that code which suppresses them for a while and then restores the
// previous mode keeps its contract, and so that tests can see the mode in force.
#pragma once

namespace platform {

inline constexpr unsigned kSemFailCriticalErrors = 0x0001;
inline constexpr unsigned kSemNoOpenFileErrorBox = 0x8000;

// Sets the mode; returns the one before.
unsigned SetErrorMode(unsigned mode);
unsigned CurrentErrorMode();

}  // namespace platform
