// The real backend of installable drivers: this system has none, so every open finds no driver.
#pragma once

#include "platform/InstallableDriver.h"

namespace platform {

InstallableDriverBackend& NoInstallableDriverBackend();

}  // namespace platform
