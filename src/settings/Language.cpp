// The language loader: reads every text of a language file and sets it on the windows' controls.
#include "settings/Language.h"

#include <QListWidget>
#include <QString>

#include <filesystem>
#include <system_error>

#include "gui/Cp1251.h"
#include "platform/Profile.h"
#include "settings/LanguageApply.h"
#include "settings/LanguageTable.h"
#include "settings/SkinPaths.h"
#include "viewer/ViewerGlobals.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kLanguagesFolder = "Languages";
constexpr const char* kSection = "Language";

std::string builtInText(const LanguageRead& read) {
  return gui::ToCp1251(QString::fromUtf8(read.builtIn));
}

}  // namespace

std::vector<std::string> ReadLanguageTexts(const std::string& path) {
  std::vector<std::string> texts(1);
  // One version of the file for every read.
  platform::ProfileReadBatch batch;
  for (const LanguageRead& read : LanguageReads())
    texts.push_back(platform::GetProfileString(path, kSection, read.key, builtInText(read)));
  return texts;
}

std::string LanguageFilePath(const std::string& language) {
  return skin::FindAnyCase(ExeDir, std::string(kLanguagesFolder) + "/" + language);
}

void LoadLanguage(const std::string& language) {
  const std::vector<std::string> texts = ReadLanguageTexts(LanguageFilePath(language));
  for (const LanguageTarget& target : LanguageTargets())
    ApplyLanguageText(target, texts[target.read]);
}

void FillLanguageList(QListWidget* ListBox3) {
  ListBox3->addItem(QStringLiteral("Russian"));
  const std::string folder = skin::FindAnyCase(ExeDir, kLanguagesFolder);
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    ListBox3->addItem(QString::fromLocal8Bit(it->path().filename().string()));
}
