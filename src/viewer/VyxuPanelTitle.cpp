// The panel's title bar: dragging the borderless panel, its four images (hide the panel, hide
// everything to the tray, quit, roll up or down) and the form's message dispatch.
#include <QGuiApplication>
#include <QMenu>
#include <QWheelEvent>
#include <QWindow>

#include <algorithm>

#include "controls/Exgrad.h"
#include "controls/Rxshell.h"
#include "controls/Rxslider.h"
#include "core/Settings.h"
#include "core/TvWindow.h"
#include "gui/Image.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace {

// Wayland gives a client no say over where its windows stand: the compositor moves them.
bool compositorPlacesWindows() { return QGuiApplication::platformName() == "wayland"; }

}  // namespace

void TForm1::attachTitleHandlers() {
  using gui::TControl;
  using gui::TMouseButton;
  using gui::TShiftState;
  for (TControl* grip : std::initializer_list<TControl*>{Gradient1, Image1, Label1}) {
    grip->OnMouseDown = [this](TControl*, TMouseButton b, TShiftState s, int x, int y) {
      Gradient1MouseDown(b, s, x, y);
    };
    grip->OnMouseMove = [this](TControl*, TShiftState s, int x, int y) {
      Gradient1MouseMove(s, x, y);
    };
    grip->OnMouseUp = [this](TControl*, TMouseButton b, TShiftState s, int x, int y) {
      Gradient1MouseUp(b, s, x, y);
    };
  }
  Image11->OnClick = [this](TControl*) { Image11Click(); };
  Image12->OnClick = [this](TControl*) { Image12Click(); };
  Image13->OnClick = [this](TControl*) { Image13Click(); };
  Image14->OnClick = [this](TControl*) { Image14Click(); };
  Image14->OnDblClick = [this](TControl*) { Image14DblClick(); };
}

void TForm1::Gradient1MouseDown(gui::TMouseButton, gui::TShiftState, int x, int y) {
  if (compositorPlacesWindows() && windowHandle()) {
    windowHandle()->startSystemMove();
    return;
  }
  TitleDragging = true;
  TitleGrabX = x;
  TitleGrabY = y;
}

// The grab point stays under the mouse: the panel moves by how far the mouse left it.
void TForm1::Gradient1MouseMove(gui::TShiftState, int x, int y) {
  if (TitleDragging) move(this->x() + x - TitleGrabX, this->y() + y - TitleGrabY);
}

void TForm1::Gradient1MouseUp(gui::TMouseButton, gui::TShiftState, int, int) {
  TitleDragging = false;
}

void TForm1::Image11Click() {
  PanelHidden = true;
  hide();
}

void TForm1::Image12Click() {
  if (FullScreenOn) SetFullScreen(0);
  RxTrayIcon1->SetActive(true);
  TvHiddenByUser = true;
  PanelHidden = true;
  if (TvScreenWindow) TvScreenWindow->hide();
  hide();
}

void TForm1::Image13Click() { BYE(); }

// Unrolled shows the whole background; rolled up only the title bar, with the mini volume slider
// and channel images in it.
void TForm1::Image14Click() {
  const gui::TImage* extent = RolledUp ? Image1 : Image2;
  resize(width(), extent->Top() + extent->Height());
  RolledUp = !RolledUp;
  Settings.CBState = RolledUp ? 1 : 0;
  RxSlider6->SetValue(RxSlider9->Value());
  for (QWidget* mini : std::initializer_list<QWidget*>{RxSlider6, Image21, Image22})
    mini->setVisible(!RolledUp);
}

bool TForm1::event(QEvent* message) { return Dispatch(message); }

bool TForm1::Dispatch(QEvent* message) {
  if (message->type() == QEvent::Wheel) {
    // Only the vertical wheel steps: a sideways scroll, or a touchpad's start and end of a
    // scroll, turns nothing. Qt's delta may exceed 16 bits; a wheel delta is held to them.
    const int delta = static_cast<QWheelEvent*>(message)->angleDelta().y();
    if (delta != 0) WMMouseWheel(uint16_t(std::clamp(delta, -32768, 32767)));
    message->accept();
    return true;
  }
  return QWidget::event(message);
}

// The delta's sign bit says the wheel was turned towards the user: one channel down, or up with
// IntellimouseReverse.
// A running scan owns the tuner: the wheel leaves the channel alone then.
void TForm1::WMMouseWheel(uint16_t delta) {
  if (ScanInProgress()) return;
  const bool towards = delta >= 0x8000;
  const bool down = towards != bool(Settings.IntellimouseReverse);
  UpDown1Click(down ? gui::btPrev : gui::btNext);
}
