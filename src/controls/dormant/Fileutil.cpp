#include "controls/dormant/Fileutil.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace fileutil {

namespace {

// The last component: the text after the last '/'.
std::string lastComponent(const std::string& name) {
  size_t slash = name.rfind('/');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

// The parent of a path without trailing '/': "" for a name without '/', "/" for "/x".
std::string parentOf(const std::string& dir) {
  size_t slash = dir.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : dir.substr(0, slash);
}

std::string convertName(const std::string& name) {
  struct stat st {};
  if (::lstat(name.c_str(), &st) != 0) return {};
  return lastComponent(name);
}

std::string convertPath(const std::string& path) {
  size_t first = path.find('/');
  if (first == std::string::npos) return path;
  std::string result;
  size_t end = path.size();
  while (true) {
    size_t slash = path.rfind('/', end - 1);
    if (slash == std::string::npos || slash < first) break;
    result = "/" + convertName(path.substr(0, end)) + result;
    if (slash == first) break;
    end = slash;
  }
  return path.substr(0, first) + result;
}

}  // namespace

EOSError::EOSError(int errorCode)
    : gui::Exception(gui::FormatText("System Error.  Code: %d.\n%s", errorCode,
                                     std::strerror(errorCode))),
      errorCode_(errorCode) {}

int FileGetAttr(const std::string& Name) {
  struct stat st {};
  if (Name.empty() || ::stat(Name.c_str(), &st) != 0) {
    // A dangling symbolic link still exists: it is a file of its own.
    if (Name.empty() || ::lstat(Name.c_str(), &st) != 0) return -1;
  }
  int attr = S_ISDIR(st.st_mode) ? faDirectory : faArchive;
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attr |= faReadOnly;
  std::string name = lastComponent(RemoveBackSlash(Name));
  if (!name.empty() && name[0] == '.' && name != "." && name != "..") attr |= faHidden;
  return attr;
}

std::string NormalDir(const std::string& Dir) {
  if (Dir.empty() || Dir.back() == '/') return Dir;
  return Dir + "/";
}

std::string RemoveBackSlash(const std::string& Dir) {
  if (Dir.size() > 1 && Dir.back() == '/') return Dir.substr(0, Dir.size() - 1);
  return Dir;
}

bool DirExists(const std::string& Name) {
  int attr = FileGetAttr(Name);
  return attr != -1 && (attr & faDirectory) != 0;
}

void ForceDirectories(std::string Dir) {
  Dir = RemoveBackSlash(Dir);
  if (Dir.empty() || Dir == "/" || DirExists(Dir)) return;
  std::string parent = parentOf(Dir);
  if (!parent.empty() && parent != Dir) ForceDirectories(parent);
  ::mkdir(Dir.c_str(), 0777);
}

std::string GetTempDir() {
  std::error_code ec;
  std::string dir = std::filesystem::temp_directory_path(ec).string();
  return NormalDir(ec || dir.empty() ? "/tmp" : dir);
}

std::string GetWindowsDir() { return "/etc"; }

std::string GetSystemDir() { return "/usr/lib"; }

bool ValidFileName(const std::string& Name) {
  if (Name.empty()) return false;
  static const char kBad[] = "<>\"[]|";
  for (char c : Name)
    if (c == '\0' || std::strchr(kBad, c)) return false;
  return true;
}

bool HasAttr(const std::string& Name, int Attr) {
  int attr = FileGetAttr(Name);
  return attr != -1 && (attr & Attr) == Attr;
}

int64_t GetFileSize(const std::string& Name) {
  struct stat st {};
  if (Name.empty() || ::stat(Name.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

TDateTime FileDateTime(const std::string& Name) {
  struct stat st {};
  if (Name.empty() || ::stat(Name.c_str(), &st) != 0) return dateutil::NullDate;
  std::tm local {};
  if (!::localtime_r(&st.st_mtime, &local)) return dateutil::NullDate;
  TDateTime date = 0;
  if (!dateutil::TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, date))
    return dateutil::NullDate;
  // A leap second (60) is kept inside the day.
  return date + dateutil::EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), 0);
}

std::string ShortToLongFileName(const std::string& Name) { return convertName(Name); }

std::string LongToShortFileName(const std::string& Name) { return convertName(Name); }

std::string ShortToLongPath(const std::string& Path) { return convertPath(Path); }

std::string LongToShortPath(const std::string& Path) { return convertPath(Path); }

}  // namespace fileutil
