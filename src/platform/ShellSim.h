// The simulated shell: every request goes to an ordered log that tests read, and the answers come
// from what the test scripted. A folder chooser plays its script (the selections the user makes,
// then a choice or a cancel) through the request's callbacks; a file operation answers with the
// scripted result and touches no file; a file dialog answers with the scripted choice; special
// folders are folders under a root the test names (by default "ShellFolders" in the program
// folder), made when asked for.
#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Shell.h"

class QWidget;

namespace platform {

struct SimFolderScript {
  std::vector<std::string> selections;  // items the user selects, in order ("" = no folder)
  std::optional<std::string> choice;    // chosen at the end; nothing: cancelled
  bool pressHelp = false;               // the user presses Help first
};

struct SimShellEvent {
  enum class Kind {
    Browse, SetSelection, EnableOk, Help, FileOperation, SpecialFolder, FileDialog
  };
  Kind kind = Kind::Browse;
  std::string text;  // Browse: root; SetSelection: path; EnableOk: "1"/"0"; SpecialFolder: path
  FolderBrowseRequest browse;        // Browse (without its callbacks)
  FileOperationRequest operation;    // FileOperation
  int csidl = 0;                     // SpecialFolder
  FileDialogRequest fileDialog;      // FileDialog
  unsigned errorMode = 0;            // Browse, FileDialog: the process's error mode meanwhile
};

class SimShell : public Shell {
public:
  SimShell();
  ~SimShell() override;

  // No scripts, no events, the default folder root, operations succeed.
  void reset();
  void scriptBrowse(SimFolderScript script) { scripts_.push_back(std::move(script)); }
  void setOperationResult(FileOperationResult result) { operationResult_ = result; }
  // The answer of the next file dialog; unscripted dialogs are cancelled.
  void scriptFileDialog(FileDialogChoice choice) { fileChoices_.push_back(std::move(choice)); }
  // Special folders live in root + "/" + a name of the folder's kind; empty: the default.
  void setFolderRoot(const std::string& root) { folderRoot_ = root; }
  // The special folders the simulated desktop lacks.
  void setMissingFolder(int csidl) { missing_.push_back(csidl); }

  const std::vector<SimShellEvent>& events() const { return events_; }
  // The widget that stands for the open chooser (the same object for every browse).
  QWidget* dialogWidget();

  std::optional<FolderChoice> browseForFolder(const FolderBrowseRequest& request) override;
  FileOperationResult fileOperation(const FileOperationRequest& request) override;
  std::optional<FileDialogChoice> fileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> specialFolder(int csidl) override;

private:
  class Dialog;

  std::deque<SimFolderScript> scripts_;
  std::deque<FileDialogChoice> fileChoices_;
  std::vector<SimShellEvent> events_;
  FileOperationResult operationResult_;
  std::string folderRoot_;
  std::vector<int> missing_;
  std::unique_ptr<QWidget> dialogWidget_;
};

SimShell& SimShellBackend();

}  // namespace platform
