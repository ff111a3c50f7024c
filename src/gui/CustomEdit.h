// TCustomEdit: the class library's single-line edit over QLineEdit: its own properties (text,
// read-only, auto-select, colour, font, border), and key, change, enter and exit events in the
// class library's terms. Keys go through KeyDown, then the character they type through
// KeyPress; Enter and Escape then go on to the form (its default and cancel buttons).
#pragma once

#include <QLineEdit>

#include <cstdint>
#include <functional>
#include <string>

#include "gui/Colors.h"
#include "gui/Font.h"
#include "gui/VirtualKeys.h"

class QKeyEvent;

namespace gui {

enum TBorderStyle { bsNone, bsSingle };

// The character a key event types, as KeyPress sees it: Backspace, Enter and Escape as control
// characters; 0 for keys that type nothing (Delete among them) and for shortcuts.
char TypedChar(const QKeyEvent* event);

class TCustomEdit : public QLineEdit {
public:
  using TNotifyEvent = std::function<void(QWidget*)>;

  explicit TCustomEdit(QWidget* parent = nullptr);

  // Windows-1251.
  virtual std::string Text() const;
  virtual void SetText(const std::string& text);
  bool Modified() const { return isModified(); }
  void SetModified(bool value) { setModified(value); }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  // 0: no limit.
  int MaxLength() const { return maxLength() == 32767 ? 0 : maxLength(); }
  void SetMaxLength(int value) { setMaxLength(value > 0 ? value : 32767); }
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  // A disabled edit shows its text in the grey-text colour, unless that is its own colour.
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool TabStop() const { return focusPolicy() & Qt::TabFocus; }
  void SetTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus); }
  bool CanFocus() const { return isVisible() && isEnabled(); }
  void SetFocus() { setFocus(Qt::OtherFocusReason); }
  virtual void SelectAll() { selectAll(); }
  // Pixels of border on each side of the client area (Windows places child windows there; Qt
  // counts from the widget's corner).
  int ClientInset() const;

  TNotifyEvent OnChange;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TNotifyEvent OnDblClick;
  std::function<void(QWidget*, uint16_t&, TShiftState)> OnKeyDown;
  std::function<void(QWidget*, char&)> OnKeyPress;

protected:
  // Every text change; fires OnChange.
  virtual void Change();
  // Setting key to 0 consumes it.
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void DoEnter();
  virtual void DoExit();
  // Ctl3D or BorderStyle changed.
  virtual void BorderChanged() {}
  // Whether the line edit refuses every edit (keys, paste, cut, drops): ReadOnly here.
  virtual bool EditLocked() const { return readOnly_; }
  void UpdateEditable() { setReadOnly(EditLocked()); }

  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  bool readOnly_ = false;
  bool autoSelect_ = true;
  bool ctl3D_ = true;
  TBorderStyle borderStyle_ = bsSingle;
  TColor color_ = clWindow;
  TFont font_;
};

}  // namespace gui
