// Small system services several windows share: which family of Windows the program answers as,
// binary values under the application's own registry key, and monitor power.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/Registry.h"

// This platform answers as the NT family, and as none of its older members: the code paths that
// the program keeps for Windows 95 and NT 4 are not taken.
bool IsWinNT();
bool IsWinNT4();
bool IsWin95();

using AppRegKey = std::unique_ptr<platform::RegistryKey>;

// The key "Software\Dorvak" of the current user, or "Software\Dorvak\<subKey>" when a subkey is
// given (null or empty: none). Null when the key is missing or its path is longer than 259 bytes.
AppRegKey OpenAppRegKey(const char* subKey);
// The same key, created (with the keys above it) when missing; null when that fails.
AppRegKey CreateAppRegKey(const char* subKey);

// Reads the value into `buffer` and returns its size in bytes; 0 when the key or value is
// missing or the value does not fit `size` bytes, and then the buffer is left untouched. A null
// buffer asks for the value's size only. A null name is the key's unnamed value.
uint32_t ReadAppRegValue(const char* subKey, const char* name, void* buffer, uint32_t size);
// Stores `size` bytes of `data` as a binary value, creating the key when missing.
bool WriteAppRegValue(const char* subKey, const char* name, const void* data, uint32_t size);

void MonitorPowerOff();
void MonitorPowerOn();
