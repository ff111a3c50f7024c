// The notification-area ("tray") icon as a platform facility: add, change and remove one icon
// with a tip, pop up a menu, and report the mouse on the icon as tray callbacks (the callback
// message with a mouse message as its parameter). CreateTrayBackend picks the Qt backend
// (QSystemTrayIcon), or under the simulation switch the recording backend that tests read.
#pragma once

#include <QImage>
#include <QSystemTrayIcon>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/GdiTypes.h"
#include "gui/VirtualKeys.h"

class QMenu;

namespace gui {
class TIcon;
struct IconImage;
}  // namespace gui

namespace rxshell {

// The message the tray sends to its owner; its parameter is one of the mouse messages below.
inline constexpr unsigned kTrayCallbackMessage = 0xB054;
enum : unsigned {
  WM_MOUSEMOVE = 0x200, WM_LBUTTONDOWN = 0x201, WM_LBUTTONUP = 0x202, WM_LBUTTONDBLCLK = 0x203,
  WM_RBUTTONDOWN = 0x204, WM_RBUTTONUP = 0x205, WM_RBUTTONDBLCLK = 0x206,
  WM_MBUTTONDOWN = 0x207, WM_MBUTTONUP = 0x208, WM_MBUTTONDBLCLK = 0x209,
};

// The longest tip the notification area shows, in characters (Windows-1251 bytes).
inline constexpr size_t kMaxTipLength = 63;

// What the icon shows.
struct TrayIconData {
  const gui::TIcon* icon = nullptr;  // not owned; null when there is none
  std::string tip;                   // Windows-1251, at most kMaxTipLength characters
};

// The mouse messages a Qt activation stands for: Qt reports whole clicks, so each is the press
// and the release (a double click: the double-click press and the release).
std::vector<unsigned> CallbacksForActivation(QSystemTrayIcon::ActivationReason reason);

// An icon image as Qt draws it: transparent where the AND mask is set (a masked pixel that
// would invert the screen is shown transparent too).
QImage IconImageToQImage(const gui::IconImage& image);
// The image the icon is drawn with (the one nearest 32 x 32); a null image for an empty icon.
QImage CurrentIconImage(const gui::TIcon& icon);

class TrayBackend {
public:
  using Callback = std::function<void(unsigned message, unsigned param)>;

  virtual ~TrayBackend() = default;

  // Whether the desktop offers a notification area now.
  virtual bool Available() const = 0;
  // Shows the icon; false when it could not be shown (no notification area).
  virtual bool Add(const TrayIconData& data) = 0;
  // Changes the icon and tip of a shown icon.
  virtual void Modify(const TrayIconData& data) = 0;
  // Removes the icon (nothing when it is not shown).
  virtual void Delete() = 0;
  // Pops the menu up at a screen point.
  virtual void PopupMenu(QMenu* menu, gui::TPoint at) = 0;
  // The mouse position on the screen and the Shift, Ctrl and Alt keys held now.
  virtual gui::TPoint CursorPos() const = 0;
  virtual gui::TShiftState KeyState() const = 0;

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

}  // namespace rxshell
