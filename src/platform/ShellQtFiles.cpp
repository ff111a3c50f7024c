// The real shell's file operation: copy, move, rename or delete a list of names (wildcards
// expanded) with the shell's questions (replace, delete, make the destination folder) in message
// boxes, a progress window that can stop the operation, and deleted items sent to the trash when
// undo is allowed.
#include <glob.h>

#include <QApplication>
#include <QFile>
#include <QProgressDialog>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/MessageBox.h"
#include "platform/ShellQt.h"

namespace platform {

namespace {

namespace fs = std::filesystem;

bool hasWildcards(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

bool ask(const std::string& question) {
  return ShowMessageBox(question, "Confirm", kMbYesNo | kMbIconQuestion) == kIdYes;
}

class Operation {
public:
  explicit Operation(const FileOperationRequest& request) : request_(request) {}

  FileOperationResult run() {
    std::vector<fs::path> sources;
    if (!expandSources(sources)) return result_;
    startProgress(int(sources.size()));
    if (request_.kind == FileOperationKind::kDelete && !confirm(deleteQuestion(sources)))
      return finish();
    for (size_t i = 0; i < sources.size() && !stopped(); ++i) {
      step(sources[i]);
      if (request_.kind == FileOperationKind::kDelete)
        remove(sources[i]);
      else
        transfer(sources[i], target(sources, i));
    }
    return finish();
  }

private:
  bool flag(unsigned f) const { return (request_.flags & f) != 0; }
  bool stopped() const { return result_.aborted || result_.error != 0; }

  bool expandSources(std::vector<fs::path>& out) {
    for (const std::string& name : request_.sources) {
      if (!hasWildcards(name)) {
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(name, ec))) return fail(ENOENT, name);
        out.emplace_back(name);
        continue;
      }
      glob_t found{};
      if (::glob(name.c_str(), 0, nullptr, &found) == 0) {
        for (size_t i = 0; i < found.gl_pathc; ++i) {
          fs::path path = found.gl_pathv[i];
          std::error_code ec;
          if (flag(kFofFilesOnly) && fs::is_directory(fs::symlink_status(path, ec))) continue;
          out.push_back(path);
        }
      }
      ::globfree(&found);
    }
    return true;
  }

  // The destination of source i: its own destination, or the one destination (a folder when
  // there are several sources or it is one already).
  fs::path target(const std::vector<fs::path>& sources, size_t i) {
    const auto& dests = request_.destinations;
    if (dests.empty()) return {};
    if (flag(kFofMultiDestFiles) && i < dests.size()) return dests[i];
    fs::path dest = dests.front();
    std::error_code ec;
    bool intoFolder = sources.size() > 1 || fs::is_directory(dest, ec) ||
                      request_.sources.size() > 1 || hasWildcards(request_.sources.front());
    if (request_.kind == FileOperationKind::kRename) return dest;
    if (!intoFolder) return makeFolder(dest.parent_path()) ? dest : fs::path();
    return makeFolder(dest) ? dest / sources[i].filename() : fs::path();
  }

  // A missing destination folder is made, after asking unless the request says not to.
  bool makeFolder(const fs::path& folder) {
    std::error_code ec;
    if (folder.empty() || fs::is_directory(folder, ec)) return true;
    if (!flag(kFofNoConfirmMkDir) && !confirm("Create the folder \"" + folder.string() + "\"?"))
      return false;
    if (fs::create_directories(folder, ec) || fs::is_directory(folder, ec)) return true;
    return fail(ec.value() ? ec.value() : ENOTDIR, folder.string());
  }

  // A free name beside the taken one: "name (2).ext", "name (3).ext"...
  static fs::path freeName(const fs::path& taken) {
    std::error_code ec;
    for (int n = 2;; ++n) {
      fs::path candidate = taken.parent_path() /
                           (taken.stem().string() + " (" + std::to_string(n) + ")" +
                            taken.extension().string());
      if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
    }
  }

  void transfer(const fs::path& source, fs::path dest) {
    if (dest.empty()) return;
    std::error_code ec;
    bool same = fs::equivalent(source, dest, ec);
    if (fs::exists(fs::symlink_status(dest, ec))) {
      if (flag(kFofRenameOnCollision)) {
        dest = freeName(dest);
      } else if (same) {
        fail(EINVAL, dest.string());  // a file is never copied or moved onto itself
        return;
      } else if (!flag(kFofNoConfirmation) && !ask("Replace \"" + dest.string() + "\"?")) {
        return;  // "no" skips this item only
      }
    }
    if (request_.kind == FileOperationKind::kCopy)
      copy(source, dest);
    else
      move(source, dest);
  }

  void copy(const fs::path& source, const fs::path& dest) {
    std::error_code ec;
    fs::copy(source, dest,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing |
                 fs::copy_options::copy_symlinks,
             ec);
    if (ec) fail(ec.value(), source.string());
  }

  void move(const fs::path& source, const fs::path& dest) {
    std::error_code ec;
    fs::rename(source, dest, ec);
    if (ec.value() == EXDEV) {  // another file system: copy, then remove the original
      ec.clear();
      copy(source, dest);
      if (!stopped()) fs::remove_all(source, ec);
    }
    if (ec) fail(ec.value(), source.string());
  }

  void remove(const fs::path& source) {
    if (flag(kFofAllowUndo) && QFile::moveToTrash(QFile::decodeName(source.c_str()))) return;
    std::error_code ec;
    fs::remove_all(source, ec);
    if (ec) fail(ec.value(), source.string());
  }

  std::string deleteQuestion(const std::vector<fs::path>& sources) const {
    if (sources.size() == 1) return "Delete \"" + sources.front().string() + "\"?";
    return "Delete these " + std::to_string(sources.size()) + " items?";
  }

  // A question whose "no" stops the whole operation.
  bool confirm(const std::string& question) {
    if (flag(kFofNoConfirmation) || ask(question)) return true;
    result_.aborted = true;
    return false;
  }

  bool fail(int error, const std::string& name) {
    result_.error = error;
    if (!flag(kFofNoErrorUi))
      ShowMessageBox(name + ": " + std::strerror(error), "Error", kMbOk | kMbIconStop);
    return false;
  }

  void startProgress(int items) {
    if (flag(kFofSilent) || !qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    progress_ = std::make_unique<QProgressDialog>(request_.progressTitle,
                                                  QString(), 0, items, request_.owner);
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(500);
  }

  void step(const fs::path& item) {
    if (!progress_) return;
    if (!flag(kFofSimpleProgress)) progress_->setLabelText(QFile::decodeName(item.c_str()));
    progress_->setValue(done_++);
    if (progress_->wasCanceled()) result_.aborted = true;
  }

  FileOperationResult finish() {
    if (result_.aborted && result_.error == 0) result_.error = ECANCELED;
    progress_.reset();
    return result_;
  }

  const FileOperationRequest& request_;
  FileOperationResult result_;
  std::unique_ptr<QProgressDialog> progress_;
  int done_ = 0;
};

}  // namespace

FileOperationResult RunFileOperation(const FileOperationRequest& request) {
  return Operation(request).run();
}

}  // namespace platform
