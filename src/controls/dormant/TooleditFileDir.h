// The path edits of Tooledit: TFilenameEdit, whose button opens a file open or save dialog, and
// TDirectoryEdit, whose button opens a folder chooser. Both derive from TFileDirEdit, which adds
// files dropped from the desktop, events around the dialog, the default button glyph (a folder)
// and the suppression of the system's error boxes while a dialog is open.
//
// A file edit shows a name holding a blank in double quotes; FileName reads it back without
// them. Names are the file system's bytes ('/' separates folders).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/Tooledit.h"
#include "gui/Exceptions.h"
#include "gui/FileDialogs.h"

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;

namespace tooledit {

// Raised for a file name that is not valid: "Invalid file name - %s".
class EComboEditError : public gui::Exception {
public:
  using Exception::Exception;
};

// S when a file of that name exists; else, when S begins with a double quote, S read as a command
// line and its first token (quotes removed); else S whole, blanks and all.
std::string ClipFileName(const std::string& S);
// S in double quotes when it holds a blank and does not begin with a double quote; else S.
std::string QuoteFileName(const std::string& S);

// Before and after the dialog: the name it opens with or returned, and whether to go on / whether
// the user chose.
using TExecOpenDialogEvent = std::function<void(QWidget* Sender, std::string& Name, bool& Action)>;

class TFileDirEdit : public TCustomComboEdit {
public:
  explicit TFileDirEdit(QWidget* parent = nullptr);

  // Files dropped from the desktop are taken; default false.
  bool AcceptFiles() const { return acceptFiles_; }
  void SetAcceptFiles(bool value);
  std::string LongName() { return GetLongName(); }
  std::string ShortName() { return GetShortName(); }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }
  // The error mode saved while a dialog is open (0 otherwise).
  unsigned ErrMode() const { return errMode_; }

  // Files dropped on the edit, by name: the file list is cleared, then every name (only the
  // first without MultipleFiles) goes to ReceptFileDir, then OnDropFiles. Nothing for no names.
  void DropFiles(const std::vector<std::string>& names);

  TNotifyEvent OnDropFiles;
  TExecOpenDialogEvent OnBeforeDialog;
  TExecOpenDialogEvent OnAfterDialog;

protected:
  std::shared_ptr<const gui::TBitmap> GetDefaultBitmap() override;
  virtual std::string GetLongName() = 0;
  virtual std::string GetShortName() = 0;
  virtual void ReceptFileDir(const std::string& name) = 0;
  virtual void ClearFileList() {}
  virtual void DoBeforeDialog(std::string& name, bool& action);
  virtual void DoAfterDialog(std::string& name, bool& action);
  // Suppresses the system's critical-error and open-file error boxes, keeping the mode before.
  void DisableSysErrors();
  void EnableSysErrors();
  // Runs a dialog with the error boxes suppressed; the mode is restored on every way out.
  bool WithSysErrorsDisabled(const std::function<bool()>& run);

  bool MultipleFiles_ = false;

  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  // Accepts or refuses a drag that carries files; false for any other drag.
  bool answerFileDrag(QDragMoveEvent* event) const;

  unsigned errMode_ = 0;
  bool acceptFiles_ = false;
  int helpContext_ = 0;
};

enum TFileDialogKind { dkOpen, dkSave, dkOpenPicture, dkSavePicture };

class TFilenameEdit : public TFileDirEdit {
public:
  explicit TFilenameEdit(QWidget* parent = nullptr);
  ~TFilenameEdit() override;

  gui::TOpenDialog& Dialog() const { return *dialog_; }
  TFileDialogKind DialogKind() const { return dialogKind_; }
  // A change makes a new dialog of that kind, carrying the settings over.
  void SetDialogKind(TFileDialogKind value);
  // The text without quotes and parameters.
  std::string FileName() const;
  // Raises EComboEditError for a name that is not valid; the text is then unchanged.
  void SetFileName(const std::string& value);
  gui::TOpenOptions DialogOptions() const { return dialog_->Options(); }
  // ofAllowMultiSelect among them allows many files; without it the file list is cleared.
  void SetDialogOptions(gui::TOpenOptions value);
  const gui::TStringList& DialogFiles() const { return dialog_->Files(); }

  const std::string& DefaultExt() const { return dialog_->DefaultExt(); }
  void SetDefaultExt(const std::string& value) { dialog_->SetDefaultExt(value); }
  gui::TFileEditStyle FileEditStyle() const { return dialog_->FileEditStyle(); }
  void SetFileEditStyle(gui::TFileEditStyle value) { dialog_->SetFileEditStyle(value); }
  const std::string& Filter() const { return dialog_->Filter(); }
  void SetFilter(const std::string& value) { dialog_->SetFilter(value); }
  int FilterIndex() const { return dialog_->FilterIndex(); }
  void SetFilterIndex(int value) { dialog_->SetFilterIndex(value); }
  const std::string& InitialDir() const { return dialog_->InitialDir(); }
  void SetInitialDir(const std::string& value) { dialog_->SetInitialDir(value); }
  gui::TStringList& HistoryList() const { return dialog_->HistoryList(); }
  const std::string& DialogTitle() const { return dialog_->Title(); }
  void SetDialogTitle(const std::string& value) { dialog_->SetTitle(value); }
  // Whether the title / filter differ from the library's defaults (so a layout stores them).
  bool IsCustomTitle() const;
  bool IsCustomFilter() const;

protected:
  std::string GetLongName() override;
  std::string GetShortName() override;
  void ReceptFileDir(const std::string& name) override;
  void ClearFileList() override;
  void ButtonClick() override;

private:
  void CreateEditDialog();

  std::unique_ptr<gui::TOpenDialog> dialog_;
  TFileDialogKind dialogKind_ = dkOpen;
};

// Options of the class library's folder selection.
enum TSelectDirOpt : unsigned {
  sdAllowCreate = 1u << 0,
  sdPerformCreate = 1u << 1,
  sdPrompt = 1u << 2,
};
using TSelectDirOpts = unsigned;
enum TDirDialogKind { dkVCL, dkWin32 };

class TDirectoryEdit : public TFileDirEdit {
public:
  explicit TDirectoryEdit(QWidget* parent = nullptr);

  TDirDialogKind DialogKind() const { return dialogKind_; }
  void SetDialogKind(TDirDialogKind value) { dialogKind_ = value; }
  // The chooser's title (the desktop chooser, dkWin32).
  const std::string& DialogText() const { return dialogText_; }
  void SetDialogText(const std::string& value) { dialogText_ = value; }
  TSelectDirOpts DialogOptions() const { return options_; }
  void SetDialogOptions(TSelectDirOpts value) { options_ = value; }
  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& value) { initialDir_ = value; }
  // The text holds folders separated by ';'; a chosen or dropped folder is appended.
  bool MultipleDirs() const { return MultipleFiles_; }
  void SetMultipleDirs(bool value) { MultipleFiles_ = value; }

protected:
  std::string GetLongName() override;
  std::string GetShortName() override;
  void ReceptFileDir(const std::string& name) override;
  void ButtonClick() override;

private:
  std::string convertedPaths(std::string (*convert)(const std::string&));
  void removeSelection();
  std::string dialogStart(const std::string& name) const;

  TSelectDirOpts options_ = 0;
  std::string initialDir_;
  std::string dialogText_;
  TDirDialogKind dialogKind_ = dkVCL;
};

}  // namespace tooledit
