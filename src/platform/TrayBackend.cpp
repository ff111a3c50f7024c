#include "platform/TrayBackend.h"

#include "platform/Environment.h"
#include "platform/RecordingTrayBackend.h"

namespace platform {

QImage TrayIconData::CurrentImage() const {
  if (current < 0 || size_t(current) >= images.size()) return {};
  return images[size_t(current)];
}

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

void TrayBackend::Notify(unsigned message, unsigned param) const {
  if (callback_) callback_(message, param);
}

void TrayBackend::NotifyActivation(QSystemTrayIcon::ActivationReason reason) const {
  for (unsigned param : CallbacksForActivation(reason)) Notify(kTrayCallbackMessage, param);
}

std::unique_ptr<TrayBackend> CreateTrayBackend() {
  if (SimulationEnabled()) return std::make_unique<RecordingTrayBackend>();
  return CreateQtTrayBackend();
}

}  // namespace platform
