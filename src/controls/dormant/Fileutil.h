// Fileutil: the control library's file-system services on this system's paths ('/' separates
// folders; there are no drive letters): paths and folders, copying and moving with an optional
// progress control (Rxprgrss), deleting by mask, clearing folders, file size and date, long and
// short names, byte-range locks and shortcuts in the desktop's special folders. The folder
// chooser and the shell's file operation are in FileutilShell.h.
//
// Names are the file system's bytes. Failures of the copy raise the class library's stream
// exceptions (gui/Exceptions.h); the other routines report by their results.
#pragma once

#include <QObject>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/utils/Dateutil.h"
#include "gui/Exceptions.h"

namespace fileutil {

// The class library's system error: "System Error.  Code: %d.\n%s" with the system's text.
class EOSError : public gui::Exception {
public:
  explicit EOSError(int errorCode);
  int ErrorCode() const { return errorCode_; }

private:
  int errorCode_;
};

// File attributes, as the class library numbers them. On this system: read-only = no write
// permission bit at all, hidden = a name that begins with '.', directory = a folder (a symbolic
// link to a folder included), archive = any other file.
enum : int {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faVolumeID = 0x08,
  faDirectory = 0x10,
  faArchive = 0x20,
};

// The attributes of a name, or -1 when it does not exist.
int FileGetAttr(const std::string& Name);

// --- paths and folders -----------------------------------------------------------------------

// Dir with a trailing '/' added, unless Dir is empty or already ends in '/'.
std::string NormalDir(const std::string& Dir);
// Dir without one trailing '/' when it is longer than one character (the root "/" stays).
std::string RemoveBackSlash(const std::string& Dir);
// The name exists and is a folder.
bool DirExists(const std::string& Name);
// Creates Dir and every missing folder above it, outermost first; a trailing '/' is ignored.
// Nothing for an empty name or an existing folder; failures are not reported.
void ForceDirectories(std::string Dir);
// The system's temporary folder, with a trailing '/'.
std::string GetTempDir();
// The system-wide settings folder ("/etc"), where the system keeps what a Windows folder held.
std::string GetWindowsDir();
// The system's library folder ("/usr/lib").
std::string GetSystemDir();
// False for an empty name or one holding any of < > " [ ] | or a NUL byte.
bool ValidFileName(const std::string& Name);
// The attributes can be read and contain every bit of Attr.
bool HasAttr(const std::string& Name, int Attr);
// The size in bytes; -1 when the file is missing or is a folder.
int64_t GetFileSize(const std::string& Name);
// The local modification time; NullDate when the file is missing.
TDateTime FileDateTime(const std::string& Name);
// The last component of Name when it exists ("" otherwise). This file system keeps one form of
// each name, so the long and the short form are the same.
std::string ShortToLongFileName(const std::string& Name);
std::string LongToShortFileName(const std::string& Name);
// Every component converted as above, from the last back to the first; the text before the
// first '/' stays; a path without '/' is returned unchanged.
std::string ShortToLongPath(const std::string& Path);
std::string LongToShortPath(const std::string& Path);

// --- copying, moving and deleting --------------------------------------------------------------

// The copy of the file utilities. A destination that is an existing folder receives the file
// under its own name; missing folders above the destination are made. The progress control, when
// given, gets maximum = the size, minimum and position 0, then the bytes copied after each block
// of 8192, and position 0 at the end (sizes beyond 32 bits are reported in coarser units so that
// they fit). The destination gets the source's modification time.
// Raises EFOpenError "Cannot open file %s" (source), EFCreateError "Cannot create file %s"
// (destination, also when it is the source itself: a file is never copied onto itself),
// EReadError or EWriteError.
void CopyFile(const std::string& FileName, const std::string& DestName,
              QObject* ProgressControl = nullptr);
// With OverwriteReadOnly a read-only destination is made writable first. With ShellDialog the
// shell copies, with its questions and progress (a failure or a stop raises EAbort).
void CopyFileEx(const std::string& FileName, const std::string& DestName, bool OverwriteReadOnly,
                bool ShellDialog, QObject* ProgressControl = nullptr);
// Renames the file to DestName (made absolute); when that fails and the file exists, copies it
// and deletes the original.
void MoveFile(const std::string& FileName, const std::string& DestName);
void MoveFileEx(const std::string& FileName, const std::string& DestName, bool ShellDialog);

// Deletes every file that matches the mask (made absolute; '*' and '?' in its last component,
// "*.*" matching every name) and whose name does not begin with '.'; folders are passed over.
// Stops at the first failure (false). False when nothing at all matched.
bool DeleteFiles(const std::string& FileMask);
// DeleteFiles for each mask in order while all before it succeeded; true for none.
bool DeleteFilesEx(const std::vector<std::string>& FileMasks);
// Empties the folder: every entry whose name does not begin with '.'; folders are cleared in turn
// and, with Delete, removed. Symbolic links are removed as links: the walk never follows one out
// of Path, and a Path that is itself a link is no folder to clear. With Delete and everything
// done, Path itself is removed (never the root "/"). False when Path is no folder or any step
// failed.
bool ClearDir(const std::string& Path, bool Delete);

// Lock or unlock a byte range of an open file for this open file only (other opens of the file
// are refused the range); 0, or the system's error number.
int FileLock(int Handle, int64_t Offset, int64_t LockSize);
int FileUnlock(int Handle, int64_t Offset, int64_t LockSize);
// The same with 64-bit values in low and high halves.
int FileLock(int Handle, uint32_t OffsetLow, uint32_t OffsetHigh, uint32_t LockSizeLow,
             uint32_t LockSizeHigh);
int FileUnlock(int Handle, uint32_t OffsetLow, uint32_t OffsetHigh, uint32_t LockSizeLow,
               uint32_t LockSizeHigh);

// --- shortcuts -------------------------------------------------------------------------------

// The file name of a shortcut: a desktop entry, Folder's path + "/" + DisplayName + ".desktop".
// Raises EOSError when the desktop has no such special folder (platform::ShellFolder values).
std::string FileLinkName(const std::string& DisplayName, int Folder);
// Writes a shortcut to FileName (its icon: FileName) into the special folder. Raises EOSError when
// the folder is missing or the file cannot be written.
void CreateFileLink(const std::string& FileName, const std::string& DisplayName, int Folder);
// Deletes the shortcut; a missing one is no failure.
void DeleteFileLink(const std::string& DisplayName, int Folder);

}  // namespace fileutil
