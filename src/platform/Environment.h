// Where the program lives and which backends it runs on.
#pragma once

#include <string>

namespace platform {

// True when VYX_SIM is set (and not "0"): every platform layer then uses its simulated backend.
bool SimulationEnabled();

// The folder of the running executable, with a trailing '/'. Libraries the program loads by
// name at run time (the hardware I/O library) are looked up here.
std::string ExecutableFolder();

// The program folder, with a trailing '/': where settings.ini, channels.ini, schedule.ini,
// remote.ini, SKINS, Languages and Images live. VYX_HOME names it; else the executable's folder.
std::string ProgramFolder();

}  // namespace platform
