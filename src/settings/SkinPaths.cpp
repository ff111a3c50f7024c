// Where skins live: the program folder's SKINS, one folder per skin. Every name on the way (SKINS,
// the skin's folder, a picture's sub-folders and file) is looked up in any letter case, as the
// skins were written for a file system that ignores case.
#include <QListWidget>
#include <QString>

#include <filesystem>
#include <system_error>

#include "settings/SkinLoader.h"
#include "settings/SkinPaths.h"
#include "viewer/ViewerGlobals.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kSkinsFolder = "SKINS";

bool sameNameAnyCase(const std::string& a, const std::string& b) {
  return QString::fromLocal8Bit(a).compare(QString::fromLocal8Bit(b), Qt::CaseInsensitive) == 0;
}

// The entry of `folder` named `name` in any letter case; the exact name first.
std::string entryAnyCase(const std::string& folder, const std::string& name) {
  std::error_code error;
  if (fs::exists(fs::path(folder) / name, error)) return name;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string candidate = it->path().filename().string();
    if (sameNameAnyCase(candidate, name)) return candidate;
  }
  return name;
}

}  // namespace

namespace skin {

std::string FindAnyCase(const std::string& folder, const std::string& relative) {
  std::string path = folder;
  if (!path.empty() && path.back() != '/') path += '/';
  size_t begin = 0;
  while (begin <= relative.size()) {
    size_t end = relative.find_first_of("/\\", begin);
    if (end == std::string::npos) end = relative.size();
    const std::string part = relative.substr(begin, end - begin);
    if (!part.empty()) {
      const bool last = end == relative.size();
      path += entryAnyCase(path, part);
      if (!last) path += '/';
    }
    begin = end + 1;
  }
  return path;
}

std::string SkinFolder(const std::string& name) {
  return FindAnyCase(ExeDir, std::string(kSkinsFolder) + "/" + name) + "/";
}

}  // namespace skin

std::string SkinIniPath(const std::string& name) {
  const std::string path = skin::FindAnyCase(skin::SkinFolder(name), "skin.ini");
  std::error_code error;
  return fs::is_regular_file(path, error) ? path : std::string();
}

// A missing SKINS folder lists "none" only.
QStringList SkinFolderNames() {
  QStringList names{"none"};
  const std::string skins = skin::FindAnyCase(ExeDir, kSkinsFolder);
  std::error_code error;
  for (fs::directory_iterator it(skins, error), end; !error && it != end; it.increment(error)) {
    std::error_code kind;
    if (it->is_directory(kind))
      names << QString::fromLocal8Bit(it->path().filename().string());
  }
  return names;
}

void FillSkinList(QListWidget* ListBox2) { ListBox2->addItems(SkinFolderNames()); }

void FillSkinList(QStringList& ListBox2) { ListBox2 << SkinFolderNames(); }
