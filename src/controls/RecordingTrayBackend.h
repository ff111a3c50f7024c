// The recording tray backend (simulation switch): it keeps the icon's state and a log of every
// request, can be told that the desktop has no notification area or that adding fails, and
// lets tests click the icon.
#pragma once

#include <QImage>

#include <string>
#include <vector>

#include "controls/TrayBackend.h"

namespace rxshell {

struct TrayCall {
  enum Kind { kAdd, kModify, kDelete, kPopup };
  Kind kind;
  std::string tip;         // add, modify
  QImage image;            // add, modify: the icon's image (null without an icon)
  QMenu* menu = nullptr;   // popup
  gui::TPoint at;          // popup
};

class RecordingTrayBackend : public TrayBackend {
public:
  bool Available() const override { return available_; }
  bool Add(const TrayIconData& data) override;
  void Modify(const TrayIconData& data) override;
  void Delete() override;
  void PopupMenu(QMenu* menu, gui::TPoint at) override;
  gui::TPoint CursorPos() const override { return cursor_; }
  gui::TShiftState KeyState() const override { return keys_; }

  // --- what the icon shows
  bool Shown() const { return shown_; }
  const std::string& Tip() const { return tip_; }
  const QImage& Image() const { return image_; }
  const std::vector<TrayCall>& Calls() const { return calls_; }
  int CountOf(TrayCall::Kind kind) const;
  void ClearCalls() { calls_.clear(); }

  // --- the simulated desktop
  void SetAvailable(bool available) { available_ = available; }
  void SetFailAdds(bool fail) { failAdds_ = fail; }
  void SetCursorPos(gui::TPoint at) { cursor_ = at; }
  void SetKeyState(gui::TShiftState keys) { keys_ = keys; }
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
  gui::TPoint cursor_;
  gui::TShiftState keys_ = 0;
  bool shown_ = false;
  std::string tip_;
  QImage image_;
  std::vector<TrayCall> calls_;
};

}  // namespace rxshell
