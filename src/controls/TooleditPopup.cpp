// TPopupWindow: a tool window that shows without taking the focus, and closes on a release.
#include "controls/TooleditPopup.h"

#include "controls/Tooledit.h"

using namespace gui;

namespace tooledit {

TPopupWindow::TPopupWindow(QWidget* editor)
    : TCustomControl(editor), editor_(editor) {
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint |
                 Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_X11NetWmWindowTypeDropDownMenu);
  setFocusPolicy(Qt::NoFocus);
  hide();
}

void TPopupWindow::CloseUp(bool accept) {
  if (CloseUpEvent) CloseUpEvent(this, accept);
}

void TPopupWindow::InvalidateEditor() {
  if (!editor_) return;
  if (auto* combo = dynamic_cast<TCustomComboEdit*>(editor_.data())) {
    combo->repaint(0, 0, combo->width() - combo->ButtonHolder()->width() - 2, combo->height() + 1);
    return;
  }
  editor_->repaint();
}

void TPopupWindow::Show(TPoint origin) {
  move(origin.X, origin.Y);
  show();
}

void TPopupWindow::Hide() { hide(); }

void TPopupWindow::Paint() {
  Canvas().Brush.Color = clWindowFrame;
  Canvas().FrameRect(ClientRect());
}

void TPopupWindow::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  PopupMouseUp(button, x, y);
}

void TPopupWindow::PopupMouseUp(TMouseButton button, int x, int y) {
  if (button == mbLeft) CloseUp(PtInRect(ClientRect(), Point(x, y)));
}

}  // namespace tooledit
