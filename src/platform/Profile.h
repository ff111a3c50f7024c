// The profile (INI) functions, with the rules of the Windows profile-string calls: section and
// key names compare case-insensitively, values are trimmed and lose one pair of surrounding
// quotes, a value is cut to 259 bytes, a default loses its trailing blanks, new keys go to the end
// of their section and new sections to the end of the file, unknown lines are kept, CRLF, LF and
// a lone CR each end a line, a UTF-8 byte-order mark is skipped and kept, bytes are kept as they
// are (Windows-1251).
//
// Parsed files are cached, and every read (outside a read batch, below) checks by a stat that
// the file on disk is still the one parsed, so a change by another process or by hand is seen at
// once. A write reads the file as it is on disk under a lock of its folder, changes it and
// replaces it atomically, so that processes writing one file keep each other's keys; a file whose
// bytes would not change is not written. A write that fails changes nothing and prints one line
// on standard error naming the file and the reason. The functions and the cache belong to the
// GUI thread.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Longest value a read returns: the profile functions read into 260-byte buffers.
constexpr size_t kProfileValueMax = 259;

// The value of [section] key in file, or `defaultValue` when the file, section or key is missing.
std::string GetProfileString(const std::string& file, const std::string& section,
                             const std::string& key, const std::string& defaultValue);

// Sets [section] key = value in file, creating file, section and key as needed. A symbolic link
// stays a link: the file it points at is written (created when its folder exists). False when
// the file could not be written (the old file is then left as it was: a read-only file, a missing
// or read-only folder, a full disk, a link to a missing folder), when the file exists but could
// not be read (it is never replaced by one holding only this key), or when the names could not
// be read back as themselves (an empty key; a line break, '=' or a leading ';' or '[' in the
// key; a line break or ']' in the section).
bool WriteProfileString(const std::string& file, const std::string& section,
                        const std::string& key, const std::string& value);

// Removes [section] key, respectively the whole [section] (the first of duplicates), under the
// same rules as a write: nothing to remove is no change and true; false when the file could not
// be written.
bool DeleteProfileKey(const std::string& file, const std::string& section,
                      const std::string& key);
bool DeleteProfileSection(const std::string& file, const std::string& section);

// The names of the file's sections in file order, each once; none for a missing file.
std::vector<std::string> GetProfileSectionNames(const std::string& file);

// While a ProfileWriteBatch lives, writes to any file are collected in the cache (reads see them)
// and applied to each file as it is on disk when the outermost batch ends, one write per file: a
// save of 2,000 keys writes the file once, and not at all when no byte changes.
class ProfileWriteBatch {
public:
  ProfileWriteBatch();
  ~ProfileWriteBatch();
  ProfileWriteBatch(const ProfileWriteBatch&) = delete;
  ProfileWriteBatch& operator=(const ProfileWriteBatch&) = delete;

  // Writes the collected changes now; false when a file could not be written.
  bool flush();
};

// For fuzzing and tests only: with false, writes no longer sync the file and its folder to disk
// (still atomic for every reader, but a power cut may lose them).
void SetProfileSync(bool sync);

// While a ProfileReadBatch lives, each file is checked on disk at its first read only, not at
// every read: a load of 2,000 keys costs one stat, and it reads one version of the file even
// when another process replaces the file half way through.
class ProfileReadBatch {
public:
  ProfileReadBatch();
  ~ProfileReadBatch();
  ProfileReadBatch(const ProfileReadBatch&) = delete;
  ProfileReadBatch& operator=(const ProfileReadBatch&) = delete;
};

// Forgets every cached file, so the next read parses the file again (tests). Changes a batch has
// not written yet are dropped with it.
void DropProfileCache();

}  // namespace platform
