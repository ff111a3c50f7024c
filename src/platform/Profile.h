// The profile (INI) functions, with the rules of Windows' profile-string calls:
// section and key names compare case-insensitively, values are trimmed and lose one pair of
// surrounding quotes, a value is cut to 259 bytes, new keys go to the end of their section and new
// sections to the end of the file, unknown lines are kept, CRLF and LF both read, bytes are kept
// as they are (Windows-1251). Every write replaces the file atomically; parsed files are cached.
// The functions and the cache belong to the GUI thread.
#pragma once

#include <string>

namespace platform {

// Longest value a read returns: the profile functions read into 260-byte buffers.
constexpr size_t kProfileValueMax = 259;

// The value of [section] key in file, or `defaultValue` when the file, section or key is missing.
std::string GetProfileString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& defaultValue);

// Sets [section] key = value in file, creating file, section and key as needed. False when the
// file could not be written (the old file is then left as it was), when the file exists but
// could not be read (it is never replaced by one holding only this key), or when the names could
// not be read back as themselves (an empty key; a line break, '=' or a leading ';' or '[' in the
// key; a line break or ']' in the section).
bool WriteProfileString(const std::string& file, const std::string& section,
                        const std::string& key, const std::string& value);

// While a ProfileWriteBatch lives, writes to any file are collected in the cache and each changed
// file is written once when the outermost batch ends: a save of 2,000 keys writes the file once.
class ProfileWriteBatch {
public:
  ProfileWriteBatch();
  ~ProfileWriteBatch();
  ProfileWriteBatch(const ProfileWriteBatch&) = delete;
  ProfileWriteBatch& operator=(const ProfileWriteBatch&) = delete;

  // Writes the collected changes now; false when a file could not be written.
  bool flush();
};

// Forgets every cached file, so the next read parses the file again (tests; files changed behind
// the program's back). Changes a batch has not written yet are dropped with it.
void DropProfileCache();

}  // namespace platform
