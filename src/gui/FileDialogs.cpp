#include "gui/FileDialogs.h"

#include <QApplication>

#include "gui/Cp1251.h"
#include "platform/Shell.h"

namespace gui {

namespace {

platform::FileDialogKind platformKind(TOpenDialog::Kind kind) {
  switch (kind) {
    case TOpenDialog::Kind::Open: return platform::FileDialogKind::kOpen;
    case TOpenDialog::Kind::Save: return platform::FileDialogKind::kSave;
    case TOpenDialog::Kind::OpenPicture: return platform::FileDialogKind::kOpenPicture;
    case TOpenDialog::Kind::SavePicture: return platform::FileDialogKind::kSavePicture;
  }
  return platform::FileDialogKind::kOpen;
}

}  // namespace

TOpenDialog::TOpenDialog(QObject* owner, Kind kind) : QObject(owner), kind_(kind) {}

bool TOpenDialog::Execute() {
  platform::FileDialogRequest request;
  request.kind = platformKind(kind_);
  request.title = FromCp1251(title_);
  request.fileName = fileName_;
  request.initialDir = initialDir_;
  request.defaultExt = defaultExt_;
  request.filter = FromCp1251(filter_);
  request.filterIndex = filterIndex_;
  request.multiSelect = (options_ & ofAllowMultiSelect) != 0;
  request.fileMustExist = (options_ & ofFileMustExist) != 0;
  request.overwritePrompt = (options_ & ofOverwritePrompt) != 0;
  request.owner = QApplication::activeWindow();
  std::optional<platform::FileDialogChoice> choice = platform::Shell::current().fileDialog(request);
  if (!choice || choice->files.empty()) return false;
  files_.Clear();
  for (const std::string& file : choice->files) files_.Add(file);
  fileName_ = choice->files.front();
  filterIndex_ = choice->filterIndex;
  return true;
}

}  // namespace gui
