// TPopupWindow: the base of the drop-down windows of the edits with a button (the calendar,
// the calculator). It is a bordered tool window above the others that never takes the focus:
// the edit keeps the keyboard while the user clicks in it. Its value goes back and forth as a
// QVariant (a null QVariant is the empty value).
#pragma once

#include <QPointer>
#include <QVariant>

#include <functional>
#include <string>

#include "gui/Controls.h"

namespace tooledit {

class TPopupWindow : public gui::TCustomControl {
public:
  using TCloseUpEvent = std::function<void(TPopupWindow*, bool accept)>;

  // Hidden; `editor` is its owner and parent.
  explicit TPopupWindow(QWidget* editor);

  QWidget* Editor() const { return editor_; }
  // Set by the owning combo edit to its PopupCloseUp.
  TCloseUpEvent CloseUpEvent;

  virtual QVariant GetValue() = 0;
  virtual void SetValue(const QVariant& value) = 0;
  // Calls CloseUpEvent.
  virtual void CloseUp(bool accept);
  virtual std::string GetPopupText() { return std::string(); }
  // Repaints the editor's text area at once (the part left of its button).
  void InvalidateEditor();

  // Places the window at origin (screen coordinates) above the others and shows it without
  // activating it; Hide hides it the same way.
  void Show(gui::TPoint origin);
  void Hide();

protected:
  // The one-pixel border of the window.
  void Paint() override;
  // Releasing the left button closes the popup, accepting when it is released inside.
  void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void PopupMouseUp(gui::TMouseButton button, int x, int y);

private:
  QPointer<QWidget> editor_;
};

}  // namespace tooledit
