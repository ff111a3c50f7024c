#include "platform/ShellSim.h"

#include <QWidget>

#include <algorithm>
#include <filesystem>

#include "platform/Environment.h"
#include "platform/ErrorMode.h"

namespace platform {

namespace {

const char* folderName(int csidl) {
  switch (csidl) {
    case kCsidlDesktop:
    case kCsidlDesktopDirectory: return "Desktop";
    case kCsidlPrograms: return "Programs";
    case kCsidlPersonal: return "Documents";
    case kCsidlFavorites: return "Favorites";
    case kCsidlStartup: return "Startup";
    case kCsidlStartMenu: return "Start Menu";
    default: return nullptr;  // the network is no folder
  }
}

}  // namespace

// The chooser as the callbacks see it: every message they send goes to the log.
class SimShell::Dialog : public FolderDialog {
public:
  explicit Dialog(SimShell& shell) : shell_(shell) {}
  QWidget* widget() override { return shell_.dialogWidget(); }
  void setSelection(const std::string& path) override {
    shell_.events_.push_back({SimShellEvent::Kind::SetSelection, path, {}, {}, 0, {}});
  }
  void enableOk(bool enable) override {
    shell_.events_.push_back({SimShellEvent::Kind::EnableOk, enable ? "1" : "0", {}, {}, 0, {}});
  }

private:
  SimShell& shell_;
};

SimShell::SimShell() = default;
SimShell::~SimShell() = default;

void SimShell::reset() {
  scripts_.clear();
  fileChoices_.clear();
  events_.clear();
  operationResult_ = {};
  folderRoot_.clear();
  missing_.clear();
}

QWidget* SimShell::dialogWidget() {
  if (!dialogWidget_) dialogWidget_ = std::make_unique<QWidget>();
  return dialogWidget_.get();
}

std::optional<FolderChoice> SimShell::browseForFolder(const FolderBrowseRequest& request) {
  SimShellEvent event{SimShellEvent::Kind::Browse, request.root, request, {}, 0, {}};
  event.browse.initialized = nullptr;
  event.browse.selectionChanged = nullptr;
  event.browse.help = nullptr;
  event.errorMode = CurrentErrorMode();
  events_.push_back(std::move(event));
  SimFolderScript script;
  if (!scripts_.empty()) {
    script = std::move(scripts_.front());
    scripts_.pop_front();
  }
  Dialog dialog(*this);
  if (request.initialized) request.initialized(dialog);
  if (script.pressHelp && request.helpButton) {
    events_.push_back({SimShellEvent::Kind::Help, {}, {}, {}, 0, {}});
    if (request.help) request.help(dialog);
  }
  for (const std::string& item : script.selections) {
    std::string name = std::filesystem::path(item).filename().string();
    if (request.selectionChanged) request.selectionChanged(dialog, item, QString::fromStdString(name.empty() ? item : name));
  }
  if (!script.choice) return std::nullopt;
  std::string name = std::filesystem::path(*script.choice).parent_path().filename().string();
  if (!script.choice->empty() && script.choice->back() != '/')
    name = std::filesystem::path(*script.choice).filename().string();
  return FolderChoice{*script.choice, QString::fromStdString(name.empty() ? *script.choice : name)};
}

FileOperationResult SimShell::fileOperation(const FileOperationRequest& request) {
  events_.push_back({SimShellEvent::Kind::FileOperation, {}, {}, request, 0, {}});
  return operationResult_;
}

std::optional<FileDialogChoice> SimShell::fileDialog(const FileDialogRequest& request) {
  SimShellEvent event{SimShellEvent::Kind::FileDialog, request.fileName, {}, {}, 0, request};
  event.errorMode = CurrentErrorMode();
  events_.push_back(std::move(event));
  if (fileChoices_.empty()) return std::nullopt;
  FileDialogChoice choice = std::move(fileChoices_.front());
  fileChoices_.pop_front();
  return choice;
}

std::optional<std::string> SimShell::specialFolder(int csidl) {
  if (std::find(missing_.begin(), missing_.end(), csidl) != missing_.end()) return std::nullopt;
  if (csidl == kCsidlDrives) return std::string("/");
  const char* name = folderName(csidl);
  if (!name) return std::nullopt;
  std::string root = folderRoot_.empty() ? ProgramFolder() + "ShellFolders" : folderRoot_;
  std::string path = root + "/" + name;
  std::error_code ec;
  std::filesystem::create_directories(path, ec);
  events_.push_back({SimShellEvent::Kind::SpecialFolder, path, {}, {}, csidl, {}});
  return path;
}

SimShell& SimShellBackend() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimShell& shell = *new SimShell;
  return shell;
}

}  // namespace platform
