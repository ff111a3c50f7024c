#include "controls/dormant/TooleditFileDir.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include <sys/stat.h>

#include "controls/VclutilsText.h"
#include "controls/dormant/Fileutil.h"
#include "controls/dormant/FileutilShell.h"
#include "controls/dormant/TooleditDrop.h"
#include "gui/BuiltinBitmaps.h"
#include "platform/ErrorMode.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"

// The resources live in a static library: registering them needs a reference from its code.
static void initFileEditResources() { Q_INIT_RESOURCE(controls_fileedit); }

namespace tooledit {

namespace {

constexpr const char* kUriList = "text/uri-list";
// The library's own default title and filter texts are not among the program's resources, so
// both are empty: the dialog shows the system's title and lists every file.
constexpr const char* kDefaultDialogTitle = "";
constexpr const char* kDefaultDialogFilter = "";
// The system's root folder, where a chooser starts without a usable name.
constexpr const char* kRootDir = "/";

bool fileExists(const std::string& name) {
  struct stat st;
  return !name.empty() && stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

// The folder part of a name, with its trailing '/'; "" without one.
std::string extractFilePath(const std::string& name) {
  const size_t slash = name.rfind('/');
  return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

std::string extractFileName(const std::string& name) {
  const size_t slash = name.rfind('/');
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

// The class library's folder selection: the chooser opened at Directory. A chosen folder that
// does not exist yet is made with sdAllowCreate and sdPerformCreate (after asking, with sdPrompt).
bool selectDirectory(std::string& directory, TSelectDirOpts options, int helpContext) {
  platform::FolderBrowseRequest request;
  request.title = "Select Directory";
  request.helpButton = helpContext != 0;
  const std::string start = directory;
  request.initialized = [&start](platform::FolderDialog& dialog) { dialog.setSelection(start); };
  const std::optional<platform::FolderChoice> choice =
      platform::Shell::current().browseForFolder(request);
  if (!choice) return false;
  const std::string chosen = choice->path;
  if (!fileutil::DirExists(chosen) && (options & sdAllowCreate) && (options & sdPerformCreate)) {
    if (options & sdPrompt) {
      const int answer = platform::ShowMessageBox(
          "The specified directory does not exist. Create it?", "Confirm",
          platform::kMbYesNo | platform::kMbIconQuestion);
      if (answer != platform::kIdYes) return false;
    }
    fileutil::ForceDirectories(chosen);
  }
  directory = chosen;
  return true;
}

}  // namespace

std::string ClipFileName(const std::string& S) {
  if (fileExists(S)) return S;
  // An unquoted name is one name even with blanks in it: a name typed for a file that does not
  // exist yet must not lose everything after its first blank.
  if (S.empty() || S.front() != '"') return S;
  std::string program, params;
  vclutils::SplitCommandLine(S, program, params);
  return program;
}

std::string QuoteFileName(const std::string& S) {
  if (S.find(' ') != std::string::npos && S.front() != '"') return '"' + S + '"';
  return S;
}

// --- TFileDirEdit ------------------------------------------------------------------------------

TFileDirEdit::TFileDirEdit(QWidget* parent) : TCustomComboEdit(parent) { SetGlyphKind(gkDefault); }

std::shared_ptr<const gui::TBitmap> TFileDirEdit::GetDefaultBitmap() {
  static const bool registered = (initFileEditResources(), true);
  (void)registered;
  return gui::LoadBuiltinBitmap("FEDITBMP");
}

// Drags are answered as they come (answerFileDrag), so there is no registration to switch.
void TFileDirEdit::SetAcceptFiles(bool value) { acceptFiles_ = value; }

void TFileDirEdit::DisableSysErrors() {
  errMode_ = platform::SetErrorMode(platform::kSemFailCriticalErrors |
                                    platform::kSemNoOpenFileErrorBox);
}

void TFileDirEdit::EnableSysErrors() {
  platform::SetErrorMode(errMode_);
  errMode_ = 0;
}

bool TFileDirEdit::WithSysErrorsDisabled(const std::function<bool()>& run) {
  DisableSysErrors();
  bool result = false;
  try {
    result = run();
  } catch (...) {
    EnableSysErrors();
    throw;
  }
  EnableSysErrors();
  return result;
}

void TFileDirEdit::DoBeforeDialog(std::string& name, bool& action) {
  if (OnBeforeDialog) OnBeforeDialog(this, name, action);
}

void TFileDirEdit::DoAfterDialog(std::string& name, bool& action) {
  if (OnAfterDialog) OnAfterDialog(this, name, action);
}

void TFileDirEdit::DropFiles(const std::vector<std::string>& names) {
  if (names.empty()) return;
  ClearFileList();
  for (const std::string& name : names) {
    ReceptFileDir(name);
    if (!MultipleFiles_) break;
  }
  if (OnDropFiles) OnDropFiles(this);
}

// Without AcceptFiles a drop of files is refused; text may still be dragged in as in any edit.
bool TFileDirEdit::answerFileDrag(QDragMoveEvent* event) const {
  if (!event->mimeData()->hasFormat(kUriList)) return false;
  if (acceptFiles_) event->acceptProposedAction();
  else event->ignore();
  return true;
}

void TFileDirEdit::dragEnterEvent(QDragEnterEvent* event) {
  if (!answerFileDrag(event)) TCustomComboEdit::dragEnterEvent(event);
}

void TFileDirEdit::dragMoveEvent(QDragMoveEvent* event) {
  if (!answerFileDrag(event)) TCustomComboEdit::dragMoveEvent(event);
}

void TFileDirEdit::dropEvent(QDropEvent* event) {
  if (!event->mimeData()->hasFormat(kUriList)) {
    TCustomComboEdit::dropEvent(event);
    return;
  }
  if (!acceptFiles_) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  const QByteArray list = event->mimeData()->data(kUriList);
  DropFiles(DroppedFileNames(std::string_view(list.constData(), size_t(list.size()))));
}

// --- TFilenameEdit -----------------------------------------------------------------------------

TFilenameEdit::TFilenameEdit(QWidget* parent) : TFileDirEdit(parent) { CreateEditDialog(); }

TFilenameEdit::~TFilenameEdit() = default;

void TFilenameEdit::CreateEditDialog() {
  static constexpr gui::TOpenDialog::Kind kinds[] = {
      gui::TOpenDialog::Kind::Open, gui::TOpenDialog::Kind::Save,
      gui::TOpenDialog::Kind::OpenPicture, gui::TOpenDialog::Kind::SavePicture};
  auto made = std::make_unique<gui::TOpenDialog>(nullptr, kinds[dialogKind_]);
  if (dialog_) {
    made->SetDefaultExt(dialog_->DefaultExt());
    made->SetFileEditStyle(dialog_->FileEditStyle());
    made->SetFileName(dialog_->FileName());
    made->SetFilter(dialog_->Filter());
    made->SetFilterIndex(dialog_->FilterIndex());
    made->SetInitialDir(dialog_->InitialDir());
    made->HistoryList().Assign(dialog_->HistoryList());
    made->Files().Assign(dialog_->Files());
    made->SetOptions(dialog_->Options());
    made->SetTitle(dialog_->Title());
  } else {
    made->SetTitle(kDefaultDialogTitle);
    made->SetFilter(kDefaultDialogFilter);
    made->SetOptions(gui::ofHideReadOnly);
  }
  dialog_ = std::move(made);
}

void TFilenameEdit::SetDialogKind(TFileDialogKind value) {
  if (value == dialogKind_) return;
  dialogKind_ = value;
  CreateEditDialog();
}

std::string TFilenameEdit::FileName() const { return ClipFileName(Text()); }

void TFilenameEdit::SetFileName(const std::string& value) {
  if (!value.empty() && !fileutil::ValidFileName(ClipFileName(value)))
    throw EComboEditError(gui::FormatText("Invalid file name - %s", value.c_str()));
  SetText(QuoteFileName(value));
  ClearFileList();
}

void TFilenameEdit::SetDialogOptions(gui::TOpenOptions value) {
  if (value == dialog_->Options()) return;
  dialog_->SetOptions(value);
  MultipleFiles_ = (value & gui::ofAllowMultiSelect) != 0;
  if (!MultipleFiles_) ClearFileList();
}

bool TFilenameEdit::IsCustomTitle() const { return dialog_->Title() != kDefaultDialogTitle; }

bool TFilenameEdit::IsCustomFilter() const { return dialog_->Filter() != kDefaultDialogFilter; }

std::string TFilenameEdit::GetLongName() { return fileutil::ShortToLongFileName(FileName()); }

std::string TFilenameEdit::GetShortName() { return fileutil::LongToShortFileName(FileName()); }

void TFilenameEdit::ClearFileList() { dialog_->Files().Clear(); }

void TFilenameEdit::ReceptFileDir(const std::string& name) {
  if (!MultipleFiles_) {
    SetFileName(name);
    return;
  }
  if (dialog_->Files().Count() == 0) SetFileName(name);
  dialog_->Files().Add(name);
}

void TFilenameEdit::ButtonClick() {
  TFileDirEdit::ButtonClick();
  std::string name = ClipFileName(Text());
  bool action = true;
  DoBeforeDialog(name, action);
  if (!action) return;
  // The dialog opens in the name's folder, on the name when it names a file.
  if (fileutil::ValidFileName(name)) {
    const std::string dir = extractFilePath(name);
    if (!dir.empty() && fileutil::DirExists(dir)) dialog_->SetInitialDir(dir);
    const std::string file = extractFileName(name);
    if (file.empty() || !fileutil::ValidFileName(file)) name.clear();
    dialog_->SetFileName(name);
  }
  dialog_->SetHelpContext(HelpContext());
  action = WithSysErrorsDisabled([this] { return dialog_->Execute(); });
  if (action) name = dialog_->FileName();
  if (CanFocus()) SetFocus();
  DoAfterDialog(name, action);
  if (!action) return;
  SetText(QuoteFileName(name));
  dialog_->SetInitialDir(extractFilePath(dialog_->FileName()));
}

// --- TDirectoryEdit ----------------------------------------------------------------------------

TDirectoryEdit::TDirectoryEdit(QWidget* parent) : TFileDirEdit(parent) {}

void TDirectoryEdit::removeSelection() {
  if (!hasSelectedText()) return;
  QString text = this->text();
  text.remove(selectionStart(), selectedText().size());
  setText(text);
}

// Each folder of a ';' list converted; a ';' goes only between two non-empty results.
std::string TDirectoryEdit::convertedPaths(std::string (*convert)(const std::string&)) {
  const std::string text = Text();
  if (!MultipleFiles_) return convert(text);
  std::string result;
  size_t from = 0;
  while (from <= text.size()) {
    size_t end = text.find(';', from);
    if (end == std::string::npos) end = text.size();
    const std::string part = convert(text.substr(from, end - from));
    if (!result.empty() && !part.empty()) result += ';';
    result += part;
    from = end + 1;
  }
  return result;
}

std::string TDirectoryEdit::GetLongName() { return convertedPaths(fileutil::ShortToLongPath); }

std::string TDirectoryEdit::GetShortName() { return convertedPaths(fileutil::LongToShortPath); }

void TDirectoryEdit::ReceptFileDir(const std::string& name) {
  std::string dir = name;
  if (fileExists(name)) dir = extractFilePath(name);
  if (MultipleFiles_ && !Text().empty()) SetText(Text() + ";" + dir);
  else SetText(dir);
}

// An empty name stands for InitialDir; a name that is no existing folder for the root.
std::string TDirectoryEdit::dialogStart(const std::string& name) const {
  const std::string& start = name.empty() ? initialDir_ : name;
  if (start.empty() || !fileutil::DirExists(start)) return kRootDir;
  return start;
}

void TDirectoryEdit::ButtonClick() {
  TFileDirEdit::ButtonClick();
  std::string name = Text();
  bool action = true;
  DoBeforeDialog(name, action);
  if (!action) return;
  name = dialogStart(name);
  action = WithSysErrorsDisabled([this, &name] {
    if (dialogKind_ == dkWin32) return fileutil::BrowseDirectory(name, dialogText_, HelpContext());
    return selectDirectory(name, options_, HelpContext());
  });
  if (CanFocus()) SetFocus();
  DoAfterDialog(name, action);
  if (!action) return;
  removeSelection();
  if (Text().empty() || !MultipleFiles_) SetText(name);
  else SetText(Text() + ";" + name);
  if (!name.empty() && fileutil::DirExists(name)) initialDir_ = name;
}

}  // namespace tooledit
