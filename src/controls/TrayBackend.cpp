#include "controls/TrayBackend.h"

#include "controls/RecordingTrayBackend.h"
#include "gui/Icon.h"
#include "platform/Environment.h"

namespace rxshell {

std::vector<unsigned> CallbacksForActivation(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger: return {WM_LBUTTONDOWN, WM_LBUTTONUP};
    case QSystemTrayIcon::DoubleClick: return {WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    case QSystemTrayIcon::Context: return {WM_RBUTTONDOWN, WM_RBUTTONUP};
    case QSystemTrayIcon::MiddleClick: return {WM_MBUTTONDOWN, WM_MBUTTONUP};
    case QSystemTrayIcon::Unknown: break;
  }
  return {};
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

QImage CurrentIconImage(const gui::TIcon& icon) {
  if (icon.Empty() || icon.CurrentIndex() < 0) return {};
  return IconImageToQImage(icon.Images()[size_t(icon.CurrentIndex())]);
}

void TrayBackend::Notify(unsigned message, unsigned param) const {
  if (callback_) callback_(message, param);
}

void TrayBackend::NotifyActivation(QSystemTrayIcon::ActivationReason reason) const {
  for (unsigned param : CallbacksForActivation(reason)) Notify(kTrayCallbackMessage, param);
}

std::unique_ptr<TrayBackend> CreateTrayBackend() {
  if (platform::SimulationEnabled()) return std::make_unique<RecordingTrayBackend>();
  return CreateQtTrayBackend();
}

}  // namespace rxshell
