// Qeloldcheckbox: QELOldCheckBox, a windowed check box that draws itself in the flat-button look
// of older Windows versions: a 12-pixel raised box, a hand-drawn check mark or a grey square for
// the third state, the caption beside it and a focus frame around the caption.
//
// The box toggles when the left button is released over the control or the space bar is
// released; while either is held the box shows pressed. Its own mouse, key and focus handlers
// replace the base ones, so OnMouseDown/Move/Up and OnKeyDown/Up are not raised (OnKeyPress and
// OnClick are; OnClick exactly once per change of State).
#pragma once

#include <cstdint>
#include <string>

#include "gui/Colors.h"
#include "gui/Controls.h"

namespace qeloldcheckbox {

enum TCheckBoxState : uint8_t { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

class QELOldCheckBox : public gui::TCustomControl {
public:
  // 130 x 20 in the button-face colour, unchecked, not a tab stop.
  explicit QELOldCheckBox(QWidget* owner = nullptr);

  // The window text as a 260-character buffer reads it (at most 259 characters).
  std::string Caption() const;
  // A changed text is stored and the control repainted later.
  void SetCaption(const std::string& text);
  bool Down() const { return down_; }
  // A change paints at once.
  void SetDown(bool value);
  TCheckBoxState State() const { return state_; }
  // A change paints at once, then raises OnClick.
  void SetState(TCheckBoxState value);
  // True exactly for cbChecked; setting picks cbChecked or cbUnchecked.
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  gui::TColor CheckColor() const { return checkColor_; }
  // Always stored and painted, even when unchanged.
  void SetCheckColor(gui::TColor value);
  // Whether the focus frame is drawn (set on entry and on a mouse press, cleared on exit).
  bool FocusShown() const { return focused_; }

protected:
  void Paint() override;
  void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void MouseMove(gui::TShiftState shift, int x, int y) override;
  void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;
  void KeyDown(uint16_t& key, gui::TShiftState shift) override;
  void KeyUp(uint16_t& key, gui::TShiftState shift) override;
  virtual void DoEnter();
  virtual void DoExit();

  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  // The point lies on the control, its right and bottom edges included.
  bool within(int x, int y) const;
  void paintBox(int top);
  void paintMark(int top);

  bool down_ = false;
  TCheckBoxState state_ = cbUnchecked;
  bool focused_ = false;
  gui::TColor checkColor_ = gui::clBlack;
  bool captured_ = false;
};

}  // namespace qeloldcheckbox
