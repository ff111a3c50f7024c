// The real backend of the registry: every key is a folder under the user's configuration folder
// (key "Software\Dorvak\TheVyx" is the folder Software/Dorvak/TheVyx), and its values live in
// the file ".values" inside it (see RegistryFormat.h). Every write replaces that file atomically.
#pragma once

#include <string>

#include "platform/Registry.h"

namespace platform {

RegistryBackend& FileRegistryBackend();

// Where the keys live: $XDG_CONFIG_HOME/vyx, or ~/.config/vyx when that is unset or not an
// absolute path. No trailing '/'; empty when the user has no home folder.
std::string RegistryFolder();

}  // namespace platform
