#include "platform/ShellQt.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>

namespace platform {

namespace {

// File names are the file system's bytes; texts shown are Windows-1251.
QString fromPath(const std::string& path) { return QFile::decodeName(path.c_str()); }
std::string toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

class QtFolderDialog : public FolderDialog {
public:
  explicit QtFolderDialog(QFileDialog& dialog) : dialog_(dialog) {}
  QWidget* widget() override { return &dialog_; }
  void setSelection(const std::string& path) override { dialog_.setDirectory(fromPath(path)); }
  void enableOk(bool enable) override {
    if (auto* box = dialog_.findChild<QDialogButtonBox*>()) {
      for (QAbstractButton* button : box->buttons())
        if (box->buttonRole(button) == QDialogButtonBox::AcceptRole) button->setEnabled(enable);
    }
  }

private:
  QFileDialog& dialog_;
};

std::optional<FolderChoice> browseComputer(const FolderBrowseRequest& request) {
  bool ok = false;
  QString name =
      QInputDialog::getText(request.owner, request.title, request.title, QLineEdit::Normal, {}, &ok);
  if (!ok || name.trimmed().isEmpty()) return std::nullopt;
  return FolderChoice{name.trimmed().toStdString(), name.trimmed()};
}

void addHelpButton(QFileDialog& dialog, QtFolderDialog& handle, const FolderBrowseRequest& request) {
  auto* box = dialog.findChild<QDialogButtonBox*>();
  if (!box) return;
  QPushButton* help = box->addButton(QDialogButtonBox::Help);
  QObject::connect(help, &QPushButton::clicked, &dialog, [&handle, &request] {
    if (request.help) request.help(handle);
  });
}

// "Text files|*.txt;*.log|All|*" as Qt's name filters: "Text files (*.txt *.log)", "All (*)".
QStringList nameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    filters << parts[i] + " (" + patterns.replace(';', ' ') + ")";
  }
  return filters;
}

std::optional<FileDialogChoice> runFileDialog(const FileDialogRequest& request) {
  const bool save = request.kind == FileDialogKind::kSave ||
                    request.kind == FileDialogKind::kSavePicture;
  QFileDialog dialog(request.owner, request.title);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  if (save) dialog.setFileMode(QFileDialog::AnyFile);
  else if (request.multiSelect) dialog.setFileMode(QFileDialog::ExistingFiles);
  else dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!request.overwritePrompt) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  if (!request.initialDir.empty()) dialog.setDirectory(fromPath(request.initialDir));
  if (!request.defaultExt.empty()) dialog.setDefaultSuffix(fromPath(request.defaultExt));
  const QStringList filters = nameFilters(request.filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const qsizetype index = std::clamp<qsizetype>(request.filterIndex, 1, filters.size()) - 1;
    dialog.selectNameFilter(filters[index]);
  }
  if (!request.fileName.empty()) dialog.selectFile(fromPath(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  FileDialogChoice choice;
  for (const QString& file : dialog.selectedFiles()) choice.files.push_back(toPath(file));
  choice.filterIndex = std::max<int>(1, int(filters.indexOf(dialog.selectedNameFilter())) + 1);
  return choice;
}

class DesktopShell : public Shell {
public:
  std::optional<FileDialogChoice> fileDialog(const FileDialogRequest& request) override {
    return runFileDialog(request);
  }

  std::optional<FolderChoice> browseForFolder(const FolderBrowseRequest& request) override {
    if (request.computers) return browseComputer(request);
    QFileDialog dialog(request.owner, request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setDirectory(request.root.empty() ? QDir::homePath() : fromPath(request.root));
    QtFolderDialog handle(dialog);
    if (request.helpButton) addHelpButton(dialog, handle, request);
    QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog,
                     [&handle, &request](const QString& path) {
                       if (!request.selectionChanged) return;
                       QFileInfo info(path);
                       request.selectionChanged(handle, info.isDir() ? toPath(path) : std::string(),
                                                info.fileName());
                     });
    // Runs once the dialog's own event loop has shown it.
    QTimer::singleShot(0, &dialog, [&handle, &request] {
      if (request.initialized) request.initialized(handle);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    QString chosen = dialog.selectedFiles().first();
    return FolderChoice{toPath(chosen), QFileInfo(chosen).fileName()};
  }

  FileOperationResult fileOperation(const FileOperationRequest& request) override {
    return RunFileOperation(request);
  }

  std::optional<std::string> specialFolder(int csidl) override {
    QString path;
    switch (csidl) {
      case kCsidlDesktop:
      case kCsidlDesktopDirectory:
        path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        break;
      case kCsidlPrograms:
      case kCsidlStartMenu:
        path = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
        break;
      case kCsidlPersonal:
        path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        break;
      case kCsidlStartup:
        path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        if (!path.isEmpty()) path += "/autostart";
        break;
      case kCsidlDrives:
        path = "/";
        break;
      default:
        return std::nullopt;  // no favourites or network neighbourhood on this desktop
    }
    if (path.isEmpty()) return std::nullopt;
    QDir().mkpath(path);
    return toPath(path);
  }
};

}  // namespace

Shell& QtShell() {
  static DesktopShell shell;
  return shell;
}

}  // namespace platform
