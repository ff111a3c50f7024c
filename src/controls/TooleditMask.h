// TCustomMaskEdit: the class library's masked single-line edit over QLineEdit, as far as the
// edits with a button need it: an edit mask in the class library's syntax, the text with its
// blank places, the edit's own properties, and key, change, enter and exit events in the
// class library's terms.
//
// The class library's mask letters differ from Qt's: '0' is a required digit there and '9' an
// optional one, the other way round in Qt; '/' and ':' stand for the date and time
// separators. MaskToQt translates. The text is always read as displayed, blank places
// included, so that the characters stay in the places the mask gives them.
#pragma once

#include <QLineEdit>

#include <cstdint>
#include <functional>
#include <string>

#include "gui/Colors.h"
#include "gui/Font.h"
#include "gui/VirtualKeys.h"

namespace tooledit {

// A class library edit mask: "mask;save literals;blank character".
struct TEditMaskParts {
  std::string mask;
  bool saveLiterals = true;
  char blank = '_';
};
TEditMaskParts SplitEditMask(const std::string& editMask);
// The Qt input mask of a class library mask, with the separators to put for '/' and ':'.
std::string MaskToQt(const std::string& editMask, char dateSeparator, char timeSeparator);

enum TBorderStyle { bsNone, bsSingle };

class TCustomMaskEdit : public QLineEdit {
public:
  using TNotifyEvent = std::function<void(QWidget*)>;

  explicit TCustomMaskEdit(QWidget* parent = nullptr);

  // The mask in the class library's syntax; empty for a plain edit.
  const std::string& EditMask() const { return editMask_; }
  void SetEditMask(const std::string& mask);
  bool IsMasked() const { return !editMask_.empty(); }
  // The text as shown, blank places in the mask's blank character (Windows-1251).
  std::string EditText() const;
  // The text: with a mask, what is shown with blank places as blanks (and without the
  // literals when the mask does not save them).
  std::string Text() const;
  void SetText(const std::string& text);

  bool Modified() const { return isModified(); }
  void SetModified(bool value) { setModified(value); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  int MaxLength() const { return maxLength() == 32767 ? 0 : maxLength(); }
  void SetMaxLength(int value) { setMaxLength(value > 0 ? value : 32767); }
  gui::TColor Color() const { return color_; }
  void SetColor(gui::TColor value);
  const gui::TFont& Font() const { return font_; }
  void SetFont(const gui::TFont& value);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool TabStop() const { return focusPolicy() & Qt::TabFocus; }
  void SetTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus); }
  bool CanFocus() const { return isVisible() && isEnabled(); }
  void SetFocus() { setFocus(Qt::OtherFocusReason); }
  virtual void SelectAll() { selectAll(); }
  // Pixels of border on each side of the client area.
  int ClientInset() const;

  // A stored layout is applied between these two; EndReading runs Loaded.
  void BeginReading() { loading_ = true; }
  void EndReading();
  bool Loading() const { return loading_; }

  TNotifyEvent OnChange;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TNotifyEvent OnDblClick;
  std::function<void(QWidget*, uint16_t&, gui::TShiftState)> OnKeyDown;
  std::function<void(QWidget*, char&)> OnKeyPress;

protected:
  // Every text change; fires OnChange.
  virtual void Change();
  // Setting key to 0 consumes it.
  virtual void KeyDown(uint16_t& key, gui::TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void DoEnter();
  virtual void DoExit();
  virtual void Loaded() {}
  // Ctl3D or BorderStyle changed.
  virtual void BorderChanged() {}
  // Whether the line edit refuses edits: ReadOnly here.
  virtual bool EditLocked() const { return readOnly_; }
  void UpdateEditable() { setReadOnly(EditLocked()); }

  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  std::string editMask_;
  bool readOnly_ = false;
  bool autoSelect_ = true;
  bool ctl3D_ = true;
  bool loading_ = false;
  TBorderStyle borderStyle_ = bsSingle;
  gui::TColor color_ = gui::clWindow;
  gui::TFont font_;
};

// The character a key event types, as KeyPress sees it: Backspace, Enter and Escape as control
// characters; 0 for keys that type nothing and for shortcuts.
char TypedChar(const QKeyEvent* event);

}  // namespace tooledit
