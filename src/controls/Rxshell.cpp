#include "controls/Rxshell.h"

#include <QAction>
#include <QMenu>
#include <QVariant>

#include <algorithm>

#include "gui/Cp1251.h"
#include "gui/VirtualKeys.h"
#include "gui/VyxApplication.h"

namespace rxshell {

using gui::TMouseButton;
using gui::TShiftState;
using namespace platform;

namespace {

enum : unsigned { kClickedLeft = 0x1, kClickedRight = 0x2 };

}  // namespace

bool AutoPopup(const QMenu* menu) {
  QVariant value = menu->property(kAutoPopupProperty);
  return !value.isValid() || value.toBool();
}

void SetAutoPopup(QMenu* menu, bool autoPopup) { menu->setProperty(kAutoPopupProperty, autoPopup); }

std::string GetShortHint(const std::string& hint) { return hint.substr(0, hint.find('|')); }

std::string TipOfHint(const std::string& hint) {
  return GetShortHint(hint).substr(0, kMaxTipLength);
}

QImage IconImageToQImage(const gui::IconImage& image) {
  QImage out = image.color.convertToFormat(QImage::Format_ARGB32);
  if (image.hasAlpha || image.png) return out;
  int w = out.width(), h = out.height();
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < w; ++x) {
      line[x] = image.masked(x, y) ? 0u : (line[x] | 0xFF000000u);
    }
  }
  return out;
}

// --- life --------------------------------------------------------------------------------------

TRxTrayIcon::TRxTrayIcon(QObject* owner, std::unique_ptr<TrayBackend> backend)
    : QObject(owner), backend_(backend ? std::move(backend) : CreateTrayBackend()) {
  backend_->SetCallback([this](unsigned message, unsigned param) { WndProc(message, param); });
  icon_.OnChange = [this](gui::TGraphic*) { ChangeIcon(); };
  icons_.OnChange = [this](icolist::TIconList*) { ChangeIcon(); };
  // The frames advance on the main thread, as every tray change must be made there.
  animationTimer_.SetEnabled(false);
  animationTimer_.SetInterval(interval_);
  animationTimer_.SetOnTimer([this](gui::TTimer*) { Timer(); });
}

TRxTrayIcon::~TRxTrayIcon() {
  destroying_ = true;
  enabled_ = false;
  icon_.OnChange = nullptr;
  icons_.OnChange = nullptr;
  stopAnimation();
  Deactivate();
  backend_->SetCallback(nullptr);
}

void TRxTrayIcon::EndReading() {
  componentState_ &= ~unsigned(gui::csReading);
  Loaded();
}

void TRxTrayIcon::Loaded() {
  componentState_ &= ~unsigned(gui::csLoading);
  if (active_) Activate();
}

// --- properties --------------------------------------------------------------------------------

void TRxTrayIcon::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  if (active_) {
    Activate();
  } else {
    Deactivate();
  }
}

void TRxTrayIcon::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  ChangeIcon();
}

void TRxTrayIcon::SetInterval(uint16_t interval) {
  interval_ = interval;
  animationTimer_.SetInterval(interval);
}

void TRxTrayIcon::SetAnimated(bool animated) {
  bool on = animated && icons_.Count() > 0;
  if (on == animated_) return;
  if (on) {
    animated_ = true;
    // The frames run only while the icon is shown.
    animationTimer_.SetEnabled(added_);
  } else {
    stopAnimation();
  }
  iconIndex_ = 0;
  ChangeIcon();
}

void TRxTrayIcon::stopAnimation() {
  animated_ = false;
  animationTimer_.SetEnabled(false);
}

const gui::TIcon* TRxTrayIcon::GetActiveIcon() const {
  if (icons_.Count() > 0 && animated_) {
    return icons_.Get(std::clamp(iconIndex_, 0, icons_.Count() - 1));
  }
  return &icon_;
}

// --- the notification area ------------------------------------------------------------------

void TRxTrayIcon::UpdateNotifyData() {
  const gui::TIcon* icon = GetActiveIcon();
  iconData_.images.clear();
  iconData_.current = -1;
  if (icon && !icon->Empty()) {
    for (const gui::IconImage& image : icon->Images()) {
      iconData_.images.push_back(IconImageToQImage(image));
    }
    iconData_.current = icon->CurrentIndex();
  }
  iconData_.tip = gui::FromCp1251(TipOfHint(hint_));
}

void TRxTrayIcon::Activate() {
  Deactivate();
  const gui::TIcon* icon = GetActiveIcon();
  if (!icon || icon->Empty()) return;  // an empty icon adds nothing
  clicked_ = 0;
  UpdateNotifyData();
  added_ = backend_->Add(iconData_);
  if (added_ && GetShortHint(hint_).empty()) backend_->Modify(iconData_);
  if (animated_) animationTimer_.SetEnabled(true);
}

void TRxTrayIcon::Deactivate() {
  backend_->Delete();
  added_ = false;
  clicked_ = 0;
  if (animated_) animationTimer_.SetEnabled(false);
}

void TRxTrayIcon::ChangeIcon() {
  if (icons_.Count() == 0 && animated_) {
    stopAnimation();
    iconIndex_ = 0;
  }
  if (added_) {
    const gui::TIcon* icon = GetActiveIcon();
    if (icon && !icon->Empty()) {
      UpdateNotifyData();
      backend_->Modify(iconData_);
    } else {
      Deactivate();
    }
  } else if (active_) {
    // Also retries an add that failed (no notification area at the time).
    Activate();
  }
}

void TRxTrayIcon::Timer() {
  if (destroying_ || !animated_) return;
  if (++iconIndex_ >= icons_.Count()) iconIndex_ = 0;
  ChangeIcon();
}

// --- mouse -------------------------------------------------------------------------------------

void TRxTrayIcon::WndProc(unsigned message, unsigned param) {
  if (message != kTrayCallbackMessage || !enabled_) return;
  try {
    dispatch(param);
  } catch (...) {
    gui::VyxApplication::HandleException();
  }
}

void TRxTrayIcon::dispatch(unsigned param) {
  const QPoint cursor = backend_->CursorPos();
  const gui::TPoint at{cursor.x(), cursor.y()};
  TShiftState shift = gui::ShiftStateFromQt(backend_->KeyState(), Qt::NoButton);
  switch (param) {
    case WM_MOUSEMOVE:
      MouseMove(shift, at.X, at.Y);
      break;
    case WM_LBUTTONDOWN:
      MouseDown(gui::mbLeft, shift | gui::ssLeft, at.X, at.Y);
      clicked_ |= kClickedLeft;
      break;
    case WM_LBUTTONUP:
      buttonUp(gui::mbLeft, kClickedLeft, shift | gui::ssLeft, at);
      break;
    case WM_LBUTTONDBLCLK:
      DblClick();
      MouseDown(gui::mbLeft, shift | gui::ssDouble, at.X, at.Y);
      break;
    case WM_RBUTTONDOWN:
      MouseDown(gui::mbRight, shift | gui::ssRight, at.X, at.Y);
      clicked_ |= kClickedRight;
      break;
    case WM_RBUTTONUP:
      buttonUp(gui::mbRight, kClickedRight, shift | gui::ssRight, at);
      break;
    case WM_RBUTTONDBLCLK:
      MouseDown(gui::mbRight, shift | gui::ssDouble, at.X, at.Y);
      break;
    case WM_MBUTTONDOWN:
      MouseDown(gui::mbMiddle, shift | gui::ssMiddle, at.X, at.Y);
      break;
    case WM_MBUTTONUP:
      MouseUp(gui::mbMiddle, shift | gui::ssMiddle, at.X, at.Y);
      break;
    case WM_MBUTTONDBLCLK:
      MouseDown(gui::mbMiddle, shift | gui::ssDouble, at.X, at.Y);
      break;
    default:
      break;
  }
}

void TRxTrayIcon::buttonUp(TMouseButton button, unsigned clickedBit, TShiftState shift,
                           gui::TPoint at) {
  // A click needs the press on the icon too; a press elsewhere released here is only an up.
  if (clicked_ & clickedBit) {
    clicked_ &= ~clickedBit;
    DoClick(button, shift, at.X, at.Y);
  }
  MouseUp(button, shift, at.X, at.Y);
}

void TRxTrayIcon::DoClick(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == gui::mbRight && CheckMenuPopup(x, y)) return;
  if (OnClick) OnClick(this, button, shift, x, y);
}

bool TRxTrayIcon::CheckMenuPopup(int x, int y) {
  QMenu* menu = popupMenu_;
  if (!active_ || !menu || !AutoPopup(menu)) return false;
  menu->setProperty(kPopupComponentProperty, QVariant::fromValue<QObject*>(this));
  backend_->PopupMenu(menu, QPoint(x, y));
  return true;
}

void TRxTrayIcon::DblClick() {
  QMenu* menu = popupMenu_;
  if (active_ && menu) {
    QAction* item = menu->defaultAction();
    if (item && item->isEnabled() && menu->actions().contains(item)) {
      item->trigger();
      return;
    }
  }
  if (OnDblClick) OnDblClick(this);
}

void TRxTrayIcon::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TRxTrayIcon::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TRxTrayIcon::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

}  // namespace rxshell
