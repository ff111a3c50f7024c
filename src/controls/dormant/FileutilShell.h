// The shell side of Fileutil: TBrowseFolderDlg (a folder or computer chooser), TRxFileOperator
// (a copy, move, rename or delete with the shell's questions and progress), BrowseDirectory and
// BrowseComputer, and the shell copy or move behind CopyFileEx and MoveFileEx. They run through
// the platform's shell (platform/Shell.h): Qt's dialogs, or the recording simulation.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>

namespace fileutil {

enum TBrowseKind { bfFolders, bfComputers };
enum TDialogPosition { dpDefault, dpScreenCenter };

class TBrowseFolderDlg : public QObject {
public:
  using TNotifyEvent = std::function<void(TBrowseFolderDlg*)>;

  explicit TBrowseFolderDlg(QObject* owner = nullptr);

  // True when the user chose an item: FolderName (and Selection) then hold it.
  bool Execute();

  TBrowseKind BrowseKind() const { return browseKind_; }
  void SetBrowseKind(TBrowseKind value) { browseKind_ = value; }
  bool DesktopRoot() const { return desktopRoot_; }
  void SetDesktopRoot(bool value) { desktopRoot_ = value; }
  // Windows-1251; the dialog's title.
  const std::string& DialogText() const { return dialogText_; }
  void SetDialogText(const std::string& value) { dialogText_ = value; }
  // The initial folder, and the chosen one afterwards (without a trailing '/').
  const std::string& FolderName() const { return folderName_; }
  void SetFolderName(const std::string& value) { folderName_ = value; }
  // Not 0: the dialog has a Help button (the program has no help file, so it shows nothing).
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  TDialogPosition Position() const { return position_; }
  void SetPosition(TDialogPosition value) { position_ = value; }

  // The open dialog; null otherwise.
  QWidget* Handle() const { return handle_; }
  // The chosen item's display name (Windows-1251).
  const std::string& DisplayName() const { return displayName_; }
  // The item selected while the dialog is open.
  const std::string& Selection() const { return selection_; }

  TNotifyEvent OnInitialized;
  TNotifyEvent OnSelChanged;

private:
  QPointer<QWidget> handle_;
  int helpContext_ = 0;
  bool desktopRoot_ = true;
  TBrowseKind browseKind_ = bfFolders;
  TDialogPosition position_ = dpScreenCenter;
  std::string dialogText_;
  std::string displayName_;
  std::string selection_;
  std::string folderName_;
};

enum TFileOperation { foCopy, foDelete, foMove, foRename };
enum TFileOperFlag {
  flAllowUndo = 0x001,
  flConfirmMouse = 0x002,
  flFilesOnly = 0x004,
  flMultiDest = 0x008,
  flNoConfirmation = 0x010,
  flNoConfirmMkDir = 0x020,
  flRenameOnCollision = 0x040,
  flSilent = 0x080,
  flSimpleProgress = 0x100,
  flNoErrorUI = 0x200,
};
using TFileOperFlags = unsigned;  // a set of TFileOperFlag

class TRxFileOperator : public QObject {
public:
  explicit TRxFileOperator(QObject* owner = nullptr) : QObject(owner) {}

  // True when the operation succeeded; Aborted tells whether the user stopped part of it.
  // Source and Destination hold names separated by ';' or '|'.
  bool Execute();

  bool Aborted() const { return aborted_; }
  TFileOperation Operation() const { return operation_; }
  void SetOperation(TFileOperation value) { operation_ = value; }
  TFileOperFlags Options() const { return options_; }
  void SetOptions(TFileOperFlags value) { options_ = value; }
  // Windows-1251.
  const std::string& ProgressTitle() const { return progressTitle_; }
  void SetProgressTitle(const std::string& value) { progressTitle_ = value; }
  const std::string& Source() const { return source_; }
  void SetSource(const std::string& value) { source_ = value; }
  const std::string& Destination() const { return destination_; }
  void SetDestination(const std::string& value) { destination_ = value; }

private:
  bool aborted_ = false;
  TFileOperation operation_ = foCopy;
  TFileOperFlags options_ = flAllowUndo | flNoConfirmMkDir;
  std::string progressTitle_;
  std::string source_;
  std::string destination_;
};

// The folder chooser with Title; on a choice Folder := the chosen folder and true.
bool BrowseDirectory(std::string& Folder, const std::string& Title, int HelpContext);
// The same for a computer's name.
bool BrowseComputer(std::string& ComputerName, const std::string& Title, int HelpContext);

// The shell copy or move of one file: a move to the same folder is a rename; undo is never
// offered; a move, and a copy with OverwriteReadOnly, replace without asking. A failure or a stop
// by the user raises EAbort.
void ShellCopyOrMove(const std::string& FileName, const std::string& DestName, bool Move,
                     bool OverwriteReadOnly);

}  // namespace fileutil
