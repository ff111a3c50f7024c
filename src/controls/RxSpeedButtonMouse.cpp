// The speed button's mouse handling: press, drag and release with their states, the drop-down
// menu, auto-repeat, the button groups and the tracking of the mouse over the button.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>

#include "controls/RxSpeedButton.h"
#include "controls/RxctrlsHelpers.h"
#include "controls/VclutilsWindows.h"
#include "gui/ScopedFlag.h"

namespace rxctrls {

using namespace gui;

void TRxSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (menuTracking_) return;
  TGraphicControl::MouseDown(button, shift, x, y);
  if (!mouseInControl_ && Enabled()) {
    mouseInControl_ = true;
    Repaint();
  }
  if (button != mbLeft || !Enabled()) return;
  if (!down_) {
    state_ = rbsDown;
    Repaint();
  }
  dragging_ = true;
  {
    // Blocks a second press while a menu is open; left again also when the menu or one of
    // its handlers raises.
    ScopedFlag tracking(menuTracking_);
    if (checkMenuDropDown(GetDropDownMenuPos(), false)) {
      // The menu has closed: the press ends here.
      doMouseUp(button, shift, x, y);
      swallowPressesInside();
    }
  }
  if (allowTimer_) startRepeat();
}

void TRxSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  TGraphicControl::MouseMove(shift, x, y);
  if (!dragging_) return;
  TRxButtonState newState = down_ ? rbsExclusive : rbsUp;
  if (inside(x, y)) newState = down_ ? rbsExclusive : rbsDown;
  if (newState == state_) return;
  state_ = newState;
  Repaint();
}

void TRxSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TGraphicControl::MouseUp(button, shift, x, y);
  try {
    doMouseUp(button, shift, x, y);
  } catch (...) {
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
    throw;
  }
  if (repeatTimer_) repeatTimer_->SetEnabled(false);
}

void TRxSpeedButton::doMouseUp(TMouseButton button, TShiftState, int x, int y) {
  if (dragging_ && button == mbLeft) {
    dragging_ = false;
    bool doClick = inside(x, y);
    if (groupIndex_ == 0) {
      state_ = rbsUp;
      mouseInControl_ = false;
      if (doClick) Repaint();
      else Invalidate();
    } else if (doClick) {
      SetDown(!down_);
      if (down_) Repaint();
    } else {
      if (down_) state_ = rbsExclusive;
      Repaint();
    }
    if (doClick && !menuTracking_) Click();
  }
  updateTracking();
}

TPoint TRxSpeedButton::GetDropDownMenuPos() const {
  if (!dropDownMenu_) return {0, 0};
  TPopupAlignment alignment = dropDownMenu_->Alignment();
  if (menuPosition_ == dmpBottom) {
    if (alignment == paLeft) return {-1, Height()};
    if (alignment == paRight) return {Width() + 1, Height()};
    return {Width() / 2, Height()};
  }
  if (alignment == paLeft) return {Width(), -1};
  if (alignment == paRight) return {-1, -1};
  return {Width() / 2, Height()};
}

bool TRxSpeedButton::checkMenuDropDown(TPoint clientPos, bool manual) {
  if (!dropDownMenu_ || !(dropDownMenu_->AutoPopup() || manual)) return false;
  // The menu takes the mouse: the button no longer holds it.
  capture_ = false;
  dropDownMenu_->SetPopupComponent(this);
  QPoint screen = mapToGlobal(QPoint(clientPos.X, clientPos.Y));
  dropDownMenu_->Popup(screen.x(), screen.y());
  return true;
}

bool TRxSpeedButton::CheckBtnMenuDropDown() {
  return checkMenuDropDown(GetDropDownMenuPos(), true);
}

void TRxSpeedButton::swallowPressesInside() {
  // Presses that reached the button while the menu was open were ignored; one still queued
  // (the click that closed the menu on the button) is dropped until the queue has drained.
  swallowPress_ = true;
  QTimer::singleShot(0, this, [this] { swallowPress_ = false; });
}

bool TRxSpeedButton::swallowed(QMouseEvent* event) {
  QPoint p = event->position().toPoint();
  if (!swallowPress_ || event->button() != Qt::LeftButton || !inside(p.x(), p.y())) return false;
  swallowPress_ = false;
  return true;
}

void TRxSpeedButton::startRepeat() {
  if (!repeatTimer_) repeatTimer_ = std::make_unique<TTimer>();
  repeatTimer_->SetInterval(initPause_);
  repeatTimer_->SetOnTimer([this](TTimer*) { timerExpired(); });
  repeatTimer_->SetEnabled(true);
}

void TRxSpeedButton::timerExpired() {
  repeatTimer_->SetInterval(repeatInterval_);
  // Only while the mouse is held down over the pressed button.
  if (state_ != rbsDown || !capture_) return;
  ScopedFlag busy(inTimerHandler_);
  try {
    Click();
  } catch (...) {
    if (repeatTimer_) repeatTimer_->SetEnabled(false);
    throw;
  }
}

void TRxSpeedButton::updateExclusive() {
  QWidget* parent = parentWidget();
  if (groupIndex_ == 0 || !parent) return;
  TButtonPressedEvent message(groupIndex_, this);
  const QObjectList children = parent->children();
  for (QObject* child : children) QCoreApplication::sendEvent(child, &message);
}

void TRxSpeedButton::buttonPressed(const TButtonPressedEvent& message) {
  if (message.GroupIndex != groupIndex_ || !parentWidget()) return;
  TRxSpeedButton* sender = message.Sender;
  if (!sender || sender == this) return;
  if (sender->Down() && down_) {
    down_ = false;
    state_ = rbsUp;
    Repaint();
  }
  allowAllUp_ = sender->AllowAllUp();
}

bool TRxSpeedButton::event(QEvent* event) {
  if (event->type() == QEvent::Type(CM_BUTTONPRESSED)) {
    buttonPressed(*static_cast<TButtonPressedEvent*>(event));
    return true;
  }
  return TGraphicControl::event(event);
}

void TRxSpeedButton::mousePressEvent(QMouseEvent* event) {
  if (swallowed(event)) return;
  if (event->button() == Qt::LeftButton) capture_ = true;
  TGraphicControl::mousePressEvent(event);
  if (event->button() == Qt::RightButton) updateTracking();
}

void TRxSpeedButton::mouseDoubleClickEvent(QMouseEvent* event) {
  if (swallowed(event)) return;
  if (event->button() != Qt::LeftButton) {
    TGraphicControl::mouseDoubleClickEvent(event);
    return;
  }
  if (menuTracking_) return;
  capture_ = true;
  TGraphicControl::mouseDoubleClickEvent(event);
  if (down_) DblClick();
}

void TRxSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) capture_ = false;
  TGraphicControl::mouseReleaseEvent(event);
  if (event->button() == Qt::RightButton) updateTracking();
}

void TRxSpeedButton::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TRxSpeedButton::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TRxSpeedButton::enterEvent(QEnterEvent*) {
  if (mouseInControl_ || !Enabled() || !vclutils::IsForegroundTask()) return;
  mouseInControl_ = true;
  if (flat_) Repaint();
  MouseEnter();
}

void TRxSpeedButton::leaveEvent(QEvent*) {
  // While the left button is held on the button the mouse still counts as inside.
  if (!mouseInControl_ || !Enabled() || dragging_) return;
  mouseInControl_ = false;
  if (flat_) Invalidate();
  MouseLeave();
}

void TRxSpeedButton::updateTracking() {
  bool wasInside = mouseInControl_;
  mouseInControl_ =
      Enabled() && detail::controlAtCursor() == this && vclutils::IsForegroundTask();
  if (mouseInControl_ == wasInside) return;
  if (mouseInControl_) {
    if (flat_) Repaint();
    MouseEnter();
  } else {
    if (flat_) Invalidate();
    MouseLeave();
  }
}

}  // namespace rxctrls
