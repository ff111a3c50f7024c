// The notification-area ("tray") icon as a platform facility: add, change and remove one icon
// with a tip, pop up a menu, and report the mouse on the icon as tray callbacks (the callback
// message with a mouse message as its parameter). CreateTrayBackend picks the Qt backend
// (QSystemTrayIcon), or under the simulation switch the recording backend that tests read.
//
// The seam speaks Qt's own types (images, points, keyboard modifiers, a QString tip): the
// component above it turns its icons and Windows-1251 hint into these.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>
#include <vector>

class QMenu;

namespace platform {

// The message the tray sends to its owner; its parameter is one of the mouse messages below.
inline constexpr unsigned kTrayCallbackMessage = 0xB054;
enum : unsigned {
  WM_MOUSEMOVE = 0x200, WM_LBUTTONDOWN = 0x201, WM_LBUTTONUP = 0x202, WM_LBUTTONDBLCLK = 0x203,
  WM_RBUTTONDOWN = 0x204, WM_RBUTTONUP = 0x205, WM_RBUTTONDBLCLK = 0x206,
  WM_MBUTTONDOWN = 0x207, WM_MBUTTONUP = 0x208, WM_MBUTTONDBLCLK = 0x209,
};

// What the icon shows.
struct TrayIconData {
  std::vector<QImage> images;  // every size of the icon as drawn; empty when there is none
  int current = -1;            // the image shown at the tray's size (nearest 32 x 32); -1: none
  QString tip;

  bool HasIcon() const { return !images.empty(); }
  // The image at current; a null image when there is none.
  QImage CurrentImage() const;
};

// The mouse messages a Qt activation stands for: Qt reports whole clicks, so each is the press
// and the release (a double click: the double-click press and the release).
std::vector<unsigned> CallbacksForActivation(QSystemTrayIcon::ActivationReason reason);

class TrayBackend {
public:
  using Callback = std::function<void(unsigned message, unsigned param)>;

  virtual ~TrayBackend() = default;

  // Whether the desktop offers a notification area now.
  virtual bool Available() const = 0;
  // Shows the icon; false when it could not be shown (no notification area, no icon).
  virtual bool Add(const TrayIconData& data) = 0;
  // Changes the icon and tip of a shown icon.
  virtual void Modify(const TrayIconData& data) = 0;
  // Removes the icon (nothing when it is not shown).
  virtual void Delete() = 0;
  // Pops the menu up at a screen point.
  virtual void PopupMenu(QMenu* menu, QPoint at) = 0;
  // The mouse position on the screen and the Shift, Ctrl and Alt keys held now.
  virtual QPoint CursorPos() const = 0;
  virtual Qt::KeyboardModifiers KeyState() const = 0;

  // Where the tray callbacks go.
  void SetCallback(Callback callback) { callback_ = std::move(callback); }

protected:
  void Notify(unsigned message, unsigned param) const;
  void NotifyActivation(QSystemTrayIcon::ActivationReason reason) const;

private:
  Callback callback_;
};

// The recording backend under the simulation switch, else the Qt backend.
std::unique_ptr<TrayBackend> CreateTrayBackend();
std::unique_ptr<TrayBackend> CreateQtTrayBackend();

}  // namespace platform
