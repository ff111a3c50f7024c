#include "controls/dormant/Qeloldcheckbox.h"

#include <QFocusEvent>

#include "gui/GdiTypes.h"
#include "gui/VirtualKeys.h"

namespace qeloldcheckbox {

using gui::TCanvas;

namespace {

// The window text is read through a buffer of this many characters, its terminator included.
constexpr size_t kCaptionBuffer = 260;
constexpr int kCaptionX = 18;

}  // namespace

QELOldCheckBox::QELOldCheckBox(QWidget* owner) : gui::TCustomControl(owner) {
  // The release raises OnClick through SetState; the base's own click on release would be a
  // second one.
  SetControlStyle(ControlStyle() & ~gui::csClickEvents);
  SetBounds(Left(), Top(), 130, 20);
  SetColor(gui::clBtnFace);
  SetTabStop(false);
}

std::string QELOldCheckBox::Caption() const {
  const std::string& text = gui::TCustomControl::Caption();
  return text.substr(0, kCaptionBuffer - 1);
}

void QELOldCheckBox::SetCaption(const std::string& text) {
  if (text == Caption()) return;
  gui::TCustomControl::SetCaption(text);
  Invalidate();
}

void QELOldCheckBox::SetDown(bool value) {
  if (value == down_) return;
  down_ = value;
  Repaint();
}

void QELOldCheckBox::SetState(TCheckBoxState value) {
  if (value == state_) return;
  state_ = value;
  Repaint();
  Click();
}

void QELOldCheckBox::SetCheckColor(gui::TColor value) {
  checkColor_ = value;
  Repaint();
}

bool QELOldCheckBox::within(int x, int y) const {
  return x >= 0 && x <= Width() && y >= 0 && y <= Height();
}

void QELOldCheckBox::DoEnter() {
  focused_ = true;
  Repaint();
}

void QELOldCheckBox::DoExit() {
  focused_ = false;
  Repaint();
}

void QELOldCheckBox::focusInEvent(QFocusEvent*) { DoEnter(); }

void QELOldCheckBox::focusOutEvent(QFocusEvent*) { DoExit(); }

void QELOldCheckBox::MouseDown(gui::TMouseButton, gui::TShiftState, int, int) {
  SetFocus();
  focused_ = true;
  captured_ = true;
  SetDown(true);
}

void QELOldCheckBox::MouseMove(gui::TShiftState, int x, int y) {
  if (captured_) SetDown(within(x, y));
}

void QELOldCheckBox::MouseUp(gui::TMouseButton, gui::TShiftState, int x, int y) {
  captured_ = false;
  SetDown(false);
  if (within(x, y)) SetChecked(!Checked());
}

void QELOldCheckBox::KeyDown(uint16_t& key, gui::TShiftState) {
  if (key == gui::VK_SPACE) SetDown(true);
}

void QELOldCheckBox::KeyUp(uint16_t& key, gui::TShiftState) {
  if (key != gui::VK_SPACE) return;
  SetDown(false);
  SetChecked(!Checked());
}

// The box spans x 1..13 and 12 pixels down from t, centred on the control's height.
void QELOldCheckBox::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Font = Font();
  canvas.Brush.Style = gui::bsSolid;
  canvas.Brush.Color = gui::clBtnFace;
  canvas.Pen.Style = gui::psSolid;
  canvas.Pen.Mode = gui::pmCopy;
  const int h = Height();
  const int t = h / 2 - 6;
  paintBox(t);
  // The font height is negative for a character height, so this lifts the text by half of it.
  const int y = Font().Height / 2 + h / 2 - 1;
  const std::string caption = Caption();
  canvas.TextOut(kCaptionX, y, caption);
  const gui::TSize extent = canvas.TextExtent(caption);
  paintMark(t);
  const gui::TRect focus = gui::Bounds(kCaptionX - 1, y, extent.cx + 3, extent.cy + 1);
  canvas.Brush.Style = gui::bsSolid;
  canvas.Brush.Color = gui::clBtnFace;
  canvas.FrameRect(focus);
  if (focused_) canvas.DrawFocusRect(focus);
}

void QELOldCheckBox::paintBox(int t) {
  TCanvas& canvas = Canvas();
  if (down_) {
    canvas.Pen.Color = gui::clBlack;
    canvas.Pen.Width = 2;
    canvas.Rectangle(2, t + 1, 14, t + 13);
    canvas.Pen.Width = 1;
    return;
  }
  canvas.Pen.Width = 1;
  canvas.Pen.Color = gui::clBtnFace;
  canvas.Rectangle(1, t, 13, t + 12);
  canvas.Pen.Color = gui::clBtnHighlight;
  canvas.MoveTo(1, t + 12);
  canvas.LineTo(1, t);
  canvas.LineTo(13, t);
  canvas.Pen.Color = gui::clBtnShadow;
  canvas.LineTo(13, t + 12);
  canvas.LineTo(1, t + 12);
}

void QELOldCheckBox::paintMark(int t) {
  TCanvas& canvas = Canvas();
  if (state_ == cbChecked) {
    const int top = t - 1, bottom = t + 11;
    canvas.Pen.Color = checkColor_;
    canvas.Pen.Width = 1;
    auto line = [&canvas](int x1, int y1, int x2, int y2) {
      canvas.MoveTo(x1, y1);
      canvas.LineTo(x2, y2);
    };
    line(3, top + 7, 3, bottom - 1);
    line(4, top + 6, 4, bottom - 2);
    line(3, bottom - 1, 11, top + 3);
    line(4, bottom - 1, 12, top + 3);
  } else if (state_ == cbGrayed) {
    canvas.Brush.Style = gui::bsSolid;
    canvas.Pen.Width = 1;
    if (down_) {
      canvas.Pen.Color = gui::clBtnFace;
      canvas.Brush.Color = gui::clBtnFace;
      canvas.Rectangle(3, t + 2, 12, t + 11);
    }
    canvas.Pen.Color = gui::clBtnShadow;
    canvas.Brush.Color = gui::clBtnShadow;
    canvas.Rectangle(3, t + 2, 12, t + 11);
  }
}

}  // namespace qeloldcheckbox
