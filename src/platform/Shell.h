// The desktop shell's services that the file utilities offer: a folder (or computer) chooser, the
// open and save file dialogs, a file operation with the shell's confirmations and progress (copy,
// move, rename, delete), and the special folders that shortcuts go to. The real backend uses Qt's
// dialogs, the file system and the desktop's standard folders; the simulated one records every
// request and answers as a test scripted it. Paths are the file system's bytes; texts shown to
// the user are QStrings.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace platform {

// Special folders, by the numbers Windows gives them.
enum ShellFolder : int {
  kCsidlDesktop = 0x0000,
  kCsidlPrograms = 0x0002,
  kCsidlPersonal = 0x0005,
  kCsidlFavorites = 0x0006,
  kCsidlStartup = 0x0007,
  kCsidlStartMenu = 0x000B,
  kCsidlDesktopDirectory = 0x0010,
  kCsidlDrives = 0x0011,
  kCsidlNetwork = 0x0012,
};

// Options of a file operation, with the values of the Windows flags.
enum FileOperationFlags : unsigned {
  kFofMultiDestFiles = 0x0001,    // one destination per source
  kFofConfirmMouse = 0x0002,
  kFofSilent = 0x0004,            // no progress window
  kFofRenameOnCollision = 0x0008, // a new name instead of replacing
  kFofNoConfirmation = 0x0010,    // yes to every question
  kFofAllowUndo = 0x0040,         // deleted items go to the trash
  kFofFilesOnly = 0x0080,         // wildcards match files only
  kFofSimpleProgress = 0x0100,    // progress without file names
  kFofNoConfirmMkDir = 0x0200,    // a missing destination folder is made without asking
  kFofNoErrorUi = 0x0400,         // failures are not shown
};

enum class FileOperationKind { kMove = 1, kCopy = 2, kDelete = 3, kRename = 4 };

struct FileOperationRequest {
  FileOperationKind kind = FileOperationKind::kCopy;
  std::vector<std::string> sources;  // names; a name may hold the wildcards '*' and '?'
  std::vector<std::string> destinations;
  unsigned flags = 0;
  QString progressTitle;
  QWidget* owner = nullptr;
};

struct FileOperationResult {
  int error = 0;         // 0 when every part succeeded, else an errno value
  bool aborted = false;  // the user stopped part of the operation
};

// The open folder chooser, as the request's callbacks see it.
class FolderDialog {
public:
  virtual ~FolderDialog() = default;
  virtual QWidget* widget() = 0;
  virtual void setSelection(const std::string& path) = 0;
  virtual void enableOk(bool enable) = 0;
};

struct FolderBrowseRequest {
  bool computers = false;  // choose a computer by name instead of a folder
  std::string root;        // the folder the tree starts from; empty: the whole file system
  QString title;           // empty: none
  QWidget* owner = nullptr;
  bool helpButton = false;
  // After the dialog appeared; before the user acts.
  std::function<void(FolderDialog&)> initialized;
  // The user selected another item: its path (empty when it is no folder) and its display name.
  std::function<void(FolderDialog&, const std::string& path, const QString& displayName)>
      selectionChanged;
  std::function<void(FolderDialog&)> help;
};

// The common file dialogs: open or save, each also in a variant with a picture preview.
enum class FileDialogKind { kOpen, kSave, kOpenPicture, kSavePicture };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::kOpen;
  QString title;             // empty: the system's own title
  std::string fileName;      // proposed in the name field
  std::string initialDir;    // empty: the current folder
  std::string defaultExt;    // added to a typed name without an extension
  // Pairs "description|patterns" joined by '|', patterns separated by ';'; empty: every file.
  QString filter;
  int filterIndex = 1;       // 1-based
  bool multiSelect = false;
  bool fileMustExist = false;
  bool overwritePrompt = false;
  QWidget* owner = nullptr;
};

struct FileDialogChoice {
  std::vector<std::string> files;  // at least one
  int filterIndex = 1;
};

struct FolderChoice {
  std::string path;         // the chosen folder (for a computer: its name)
  QString displayName;      // what the dialog showed for it
};

class Shell {
public:
  virtual ~Shell() = default;

  // Runs the chooser modally; nothing when the user cancelled.
  virtual std::optional<FolderChoice> browseForFolder(const FolderBrowseRequest& request) = 0;
  virtual FileOperationResult fileOperation(const FileOperationRequest& request) = 0;
  // Runs a file dialog modally; nothing when the user cancelled.
  virtual std::optional<FileDialogChoice> fileDialog(const FileDialogRequest& request) = 0;
  // The special folder's path, or nothing when this desktop has no such folder.
  virtual std::optional<std::string> specialFolder(int csidl) = 0;

  // The simulated shell under the simulation switch, else the desktop's.
  static Shell& current();
};

}  // namespace platform
