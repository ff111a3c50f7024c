// TCustomMaskEdit: the class library's masked edit, as far as the edits with a button need it:
// an edit mask in the class library's syntax and the text with its blank places.
//
// The class library's mask letters differ from Qt's: '0' is a required digit there and '9' an
// optional one, the other way round in Qt; '/' and ':' stand for the date and time
// separators. MaskToQt translates. The text is always read as displayed, blank places
// included, so that the characters stay in the places the mask gives them.
#pragma once

#include <string>

#include "gui/CustomEdit.h"

namespace tooledit {

using gui::TBorderStyle;
using gui::bsNone;
using gui::bsSingle;

// A class library edit mask: "mask;save literals;blank character".
struct TEditMaskParts {
  std::string mask;
  bool saveLiterals = true;
  char blank = '_';
};
TEditMaskParts SplitEditMask(const std::string& editMask);
// The Qt input mask of a class library mask, with the separators to put for '/' and ':'.
std::string MaskToQt(const std::string& editMask, char dateSeparator, char timeSeparator);

class TCustomMaskEdit : public gui::TCustomEdit {
public:
  explicit TCustomMaskEdit(QWidget* parent = nullptr) : TCustomEdit(parent) {}

  // The mask in the class library's syntax; empty for a plain edit.
  const std::string& EditMask() const { return editMask_; }
  void SetEditMask(const std::string& mask);
  bool IsMasked() const { return !editMask_.empty(); }
  // The text as shown, blank places in the mask's blank character (Windows-1251).
  std::string EditText() const;
  // The text: with a mask, what is shown with blank places as blanks (and without the
  // literals when the mask does not save them).
  std::string Text() const override;
  void SetText(const std::string& text) override;

  // A stored layout is applied between these two; EndReading runs Loaded.
  void BeginReading() { loading_ = true; }
  void EndReading();
  bool Loading() const { return loading_; }

protected:
  virtual void Loaded() {}

private:
  std::string editMask_;
  bool loading_ = false;
};

}  // namespace tooledit
