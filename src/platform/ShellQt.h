// The desktop's shell for the file utilities: Qt's folder dialog (a host-name question for a
// computer), file operations done here on the file system with the questions in message boxes
// and a progress window, and the desktop's standard folders (XDG) for shortcuts.
#pragma once

#include "platform/Shell.h"

namespace platform {

Shell& QtShell();

// The file operation of the real shell, also used by its tests on temporary folders.
FileOperationResult RunFileOperation(const FileOperationRequest& request);

}  // namespace platform
