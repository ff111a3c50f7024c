// The class library's file dialogs: TOpenDialog and its kinds for saving and for pictures. Each
// keeps its settings in properties and runs through the platform shell's file dialog
// (platform/Shell.h) when executed. Names are the file system's bytes; Title and Filter are
// Windows-1251.
#pragma once

#include <QObject>

#include <string>

#include "gui/Strings.h"

namespace gui {

// Options of the file dialogs, as bits of a set in the class library's order.
enum TOpenOption : unsigned {
  ofReadOnly = 1u << 0,
  ofOverwritePrompt = 1u << 1,
  ofHideReadOnly = 1u << 2,
  ofNoChangeDir = 1u << 3,
  ofShowHelp = 1u << 4,
  ofNoValidate = 1u << 5,
  ofAllowMultiSelect = 1u << 6,
  ofExtensionDifferent = 1u << 7,
  ofPathMustExist = 1u << 8,
  ofFileMustExist = 1u << 9,
  ofCreatePrompt = 1u << 10,
  ofShareAware = 1u << 11,
  ofNoReadOnlyReturn = 1u << 12,
  ofNoTestFileCreate = 1u << 13,
  ofNoNetworkButton = 1u << 14,
  ofNoLongNames = 1u << 15,
  ofOldStyleDialog = 1u << 16,
};
using TOpenOptions = unsigned;

enum TFileEditStyle { fsEdit, fsComboBox };

class TOpenDialog : public QObject {
public:
  enum class Kind { Open, Save, OpenPicture, SavePicture };

  explicit TOpenDialog(QObject* owner = nullptr, Kind kind = Kind::Open);

  Kind DialogKind() const { return kind_; }
  // True when the user chose: FileName is the first chosen file, Files all of them.
  bool Execute();

  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const std::string& value) { defaultExt_ = value; }
  TFileEditStyle FileEditStyle() const { return fileEditStyle_; }
  void SetFileEditStyle(TFileEditStyle value) { fileEditStyle_ = value; }
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& value) { fileName_ = value; }
  // Pairs "description|patterns" joined by '|'.
  const std::string& Filter() const { return filter_; }
  void SetFilter(const std::string& value) { filter_ = value; }
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int value) { filterIndex_ = value; }
  const std::string& InitialDir() const { return initialDir_; }
  void SetInitialDir(const std::string& value) { initialDir_ = value; }
  TStringList& HistoryList() { return historyList_; }
  const TStringList& HistoryList() const { return historyList_; }
  // The files chosen the last time.
  TStringList& Files() { return files_; }
  const TStringList& Files() const { return files_; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions value) { options_ = value; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int value) { helpContext_ = value; }

private:
  Kind kind_;
  std::string defaultExt_;
  TFileEditStyle fileEditStyle_ = fsEdit;
  std::string fileName_;
  std::string filter_;
  int filterIndex_ = 1;
  std::string initialDir_;
  TStringList historyList_;
  TStringList files_;
  TOpenOptions options_ = ofHideReadOnly;
  std::string title_;
  int helpContext_ = 0;
};

}  // namespace gui
