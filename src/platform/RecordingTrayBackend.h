// The recording tray backend (simulation switch): it keeps the icon's state and a log of every
// request, can be told that the desktop has no notification area or that adding fails, and
// lets tests click the icon.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

#include "platform/TrayBackend.h"

namespace platform {

struct TrayCall {
  enum Kind { kAdd, kModify, kDelete, kPopup };
  Kind kind;
  QString tip;             // add, modify
  QImage image;            // add, modify: the icon's current image (null without an icon)
  QMenu* menu = nullptr;   // popup
  QPoint at;               // popup
};

class RecordingTrayBackend : public TrayBackend {
public:
  bool Available() const override { return available_; }
  bool Add(const TrayIconData& data) override;
  void Modify(const TrayIconData& data) override;
  void Delete() override;
  void PopupMenu(QMenu* menu, QPoint at) override;
  QPoint CursorPos() const override { return cursor_; }
  Qt::KeyboardModifiers KeyState() const override { return keys_; }

  // --- what the icon shows
  bool Shown() const { return shown_; }
  const QString& Tip() const { return tip_; }
  const QImage& Image() const { return image_; }
  const std::vector<TrayCall>& Calls() const { return calls_; }
  int CountOf(TrayCall::Kind kind) const;
  void ClearCalls() { calls_.clear(); }

  // --- the simulated desktop
  void SetAvailable(bool available) { available_ = available; }
  void SetFailAdds(bool fail) { failAdds_ = fail; }
  void SetCursorPos(QPoint at) { cursor_ = at; }
  void SetKeyState(Qt::KeyboardModifiers keys) { keys_ = keys; }
  // The tray sends a callback message (normally kTrayCallbackMessage with a mouse message).
  void Send(unsigned param, unsigned message = kTrayCallbackMessage) const {
    Notify(message, param);
  }
  // The user clicks the icon as Qt reports it.
  void Activate(QSystemTrayIcon::ActivationReason reason) const { NotifyActivation(reason); }

private:
  void show(const TrayIconData& data);

  bool available_ = true;
  bool failAdds_ = false;
  QPoint cursor_;
  Qt::KeyboardModifiers keys_;
  bool shown_ = false;
  QString tip_;
  QImage image_;
  std::vector<TrayCall> calls_;
};

}  // namespace platform
