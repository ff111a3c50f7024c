#include "controls/dormant/FileutilShell.h"

#include <QApplication>
#include <QUrl>

#include <unistd.h>

#include <cerrno>
#include <fstream>

#include "controls/VclutilsWindows.h"
#include "controls/dormant/Fileutil.h"
#include "gui/Cp1251.h"
#include "gui/Exceptions.h"
#include "platform/Shell.h"

namespace fileutil {

namespace {

// Names separated by ';' or '|'; empty names are dropped.
std::vector<std::string> nameList(const std::string& text) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(";|", start);
    if (end == std::string::npos) end = text.size();
    if (end > start) names.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

unsigned shellFlags(TFileOperFlags options) {
  static const std::pair<TFileOperFlag, unsigned> kFlags[] = {
      {flAllowUndo, platform::kFofAllowUndo},
      {flConfirmMouse, platform::kFofConfirmMouse},
      {flFilesOnly, platform::kFofFilesOnly},
      {flMultiDest, platform::kFofMultiDestFiles},
      {flNoConfirmation, platform::kFofNoConfirmation},
      {flNoConfirmMkDir, platform::kFofNoConfirmMkDir},
      {flRenameOnCollision, platform::kFofRenameOnCollision},
      {flSilent, platform::kFofSilent},
      {flSimpleProgress, platform::kFofSimpleProgress},
      {flNoErrorUI, platform::kFofNoErrorUi},
  };
  unsigned flags = 0;
  for (const auto& [option, flag] : kFlags)
    if (options & option) flags |= flag;
  return flags;
}

platform::FileOperationKind shellKind(TFileOperation operation) {
  switch (operation) {
    case foDelete: return platform::FileOperationKind::kDelete;
    case foMove: return platform::FileOperationKind::kMove;
    case foRename: return platform::FileOperationKind::kRename;
    case foCopy: break;
  }
  return platform::FileOperationKind::kCopy;
}

// The window that was active comes back when the modal part ends.
class ActiveWindowKeeper {
public:
  ActiveWindowKeeper() : active_(QApplication::activeWindow()) {}
  ~ActiveWindowKeeper() {
    if (active_) active_->activateWindow();
  }
  QWidget* window() const { return active_; }

private:
  QPointer<QWidget> active_;
};

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// A desktop entry's string value: backslash, line breaks and tabs escaped, a leading blank kept.
std::string entryValue(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else if (c == ' ' && i == 0) out += "\\s";
    else out += c;
  }
  return out;
}

// The program as one quoted argument of an Exec line.
std::string execArgument(const std::string& path) {
  std::string quoted = "\"";
  for (char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return entryValue(quoted + "\"");
}

std::string desktopEntry(const std::string& FileName, const std::string& DisplayName) {
  std::string name = gui::FromCp1251(DisplayName).toUtf8().toStdString();
  std::string entry = "[Desktop Entry]\n";
  bool program = !DirExists(FileName) && ::access(FileName.c_str(), X_OK) == 0;
  if (program) {
    entry += "Type=Application\nExec=" + execArgument(FileName) + "\n";
  } else {
    QUrl url = QUrl::fromLocalFile(QString::fromLocal8Bit(FileName.c_str()));
    entry += "Type=Link\nURL=" + entryValue(url.toEncoded().toStdString()) + "\n";
  }
  entry += "Name=" + entryValue(name) + "\nIcon=" + entryValue(FileName) + "\n";
  return entry;
}

}  // namespace

TBrowseFolderDlg::TBrowseFolderDlg(QObject* owner) : QObject(owner) {}

bool TBrowseFolderDlg::Execute() {
  platform::Shell& shell = platform::Shell::current();
  platform::FolderBrowseRequest request;
  request.computers = browseKind_ == bfComputers;
  if (!request.computers && !desktopRoot_) {
    auto drives = shell.specialFolder(platform::kCsidlDrives);
    if (!drives) throw EOSError(ENOENT);
    request.root = *drives;
  }
  request.title = gui::FromCp1251(dialogText_);
  request.helpButton = helpContext_ != 0;
  ActiveWindowKeeper keeper;
  request.owner = keeper.window();
  request.initialized = [this](platform::FolderDialog& dialog) {
    handle_ = dialog.widget();
    if (position_ == dpScreenCenter && handle_) vclutils::CenterWindow(handle_);
    if (browseKind_ == bfComputers || DirExists(folderName_)) dialog.setSelection(folderName_);
    if (OnInitialized) OnInitialized(this);
  };
  request.selectionChanged = [this](platform::FolderDialog& dialog, const std::string& path,
                                    const QString& displayName) {
    if (browseKind_ == bfFolders) {
      selection_ = path;
      dialog.enableOk(DirExists(selection_));
    } else {
      selection_ = gui::ToCp1251(displayName);
    }
    if (OnSelChanged) OnSelChanged(this);
  };
  // The Help button's topic would go to the program's help file; the program has none.
  request.help = [](platform::FolderDialog&) {};
  auto choice = shell.browseForFolder(request);
  handle_ = nullptr;
  if (!choice) return false;
  displayName_ = gui::ToCp1251(choice->displayName);
  folderName_ = browseKind_ == bfComputers ? displayName_ : RemoveBackSlash(choice->path);
  selection_ = folderName_;
  return true;
}

bool TRxFileOperator::Execute() {
  platform::FileOperationRequest request;
  request.kind = shellKind(operation_);
  request.sources = nameList(source_);
  request.destinations = nameList(destination_);
  request.flags = shellFlags(options_);
  request.progressTitle = gui::FromCp1251(progressTitle_);
  ActiveWindowKeeper keeper;
  request.owner = keeper.window();
  platform::FileOperationResult result = platform::Shell::current().fileOperation(request);
  aborted_ = result.aborted;
  return result.error == 0;
}

bool BrowseDirectory(std::string& Folder, const std::string& Title, int HelpContext) {
  TBrowseFolderDlg dialog(qApp);
  dialog.SetDialogText(Title);
  dialog.SetFolderName(Folder);
  dialog.SetHelpContext(HelpContext);
  if (!dialog.Execute()) return false;
  Folder = dialog.FolderName();
  return true;
}

bool BrowseComputer(std::string& ComputerName, const std::string& Title, int HelpContext) {
  TBrowseFolderDlg dialog(qApp);
  dialog.SetBrowseKind(bfComputers);
  dialog.SetDialogText(Title);
  dialog.SetFolderName(ComputerName);
  dialog.SetHelpContext(HelpContext);
  if (!dialog.Execute()) return false;
  ComputerName = dialog.FolderName();
  return true;
}

void ShellCopyOrMove(const std::string& FileName, const std::string& DestName, bool Move,
                     bool OverwriteReadOnly) {
  TRxFileOperator op;
  op.SetSource(FileName);
  op.SetDestination(DestName);
  if (Move)
    op.SetOperation(folderOf(FileName) == folderOf(DestName) ? foRename : foMove);
  TFileOperFlags options = op.Options() & ~TFileOperFlags(flAllowUndo);
  if (Move || OverwriteReadOnly) options |= flNoConfirmation;
  op.SetOptions(options);
  if (!op.Execute() || op.Aborted()) gui::Abort();
}

std::string FileLinkName(const std::string& DisplayName, int Folder) {
  // The name becomes one file in the folder: no path of its own.
  if (DisplayName.empty() || DisplayName.find_first_of(std::string("/\0", 2)) != std::string::npos)
    throw EOSError(EINVAL);
  auto folder = platform::Shell::current().specialFolder(Folder);
  if (!folder) throw EOSError(ENOENT);
  return NormalDir(*folder) + DisplayName + ".desktop";
}

void CreateFileLink(const std::string& FileName, const std::string& DisplayName, int Folder) {
  std::string link = FileLinkName(DisplayName, Folder);
  std::ofstream out(link, std::ios::binary | std::ios::trunc);
  out << desktopEntry(FileName, DisplayName);
  out.close();
  if (!out) throw EOSError(errno ? errno : EIO);
}

void DeleteFileLink(const std::string& DisplayName, int Folder) {
  std::string link = FileLinkName(DisplayName, Folder);
  ::unlink(link.c_str());
}

}  // namespace fileutil
