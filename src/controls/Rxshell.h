// TRxTrayIcon: a non-visual component that keeps an icon with a tip in the desktop's
// notification area, turns the mouse on the icon into events, pops up its menu on a right
// click, runs the menu's default item on a double click and can animate through a list of
// icons. It talks to the desktop through the platform's TrayBackend (Qt's tray icon, or the
// recording backend under the simulation switch), turning its icons into images and its
// Windows-1251 hint into the tip on the way.
//
// A desktop without a notification area: the icon cannot be added, Added() stays false and
// nothing is shown to the user here; a later change of the icon or hint tries again. Callers
// that hide their windows "to the tray" ask CanHideToTray() first and keep a window open when
// it answers false, so that the user is never left without a way back.
#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/Icolist.h"
#include "gui/Controls.h"
#include "gui/Icon.h"
#include "gui/Timer.h"
#include "platform/TrayBackend.h"

class QMenu;

namespace rxshell {

using platform::CreateTrayBackend;
using platform::kTrayCallbackMessage;
using platform::TrayBackend;
using platform::TrayIconData;

// The longest tip the notification area shows, in characters (Windows-1251 bytes).
inline constexpr size_t kMaxTipLength = 63;

// A menu pops up on a right click of the icon unless its dynamic property "autoPopup" is false
// (the class library's automatic pop-up flag, set by default).
inline constexpr const char* kAutoPopupProperty = "autoPopup";
// The component that popped the menu up last, as a QObject* property of the menu.
inline constexpr const char* kPopupComponentProperty = "popupComponent";
bool AutoPopup(const QMenu* menu);
void SetAutoPopup(QMenu* menu, bool autoPopup);

// The hint's text before the first '|' (all of it without one).
std::string GetShortHint(const std::string& hint);
// The tip shown for a hint: its short part, cut to kMaxTipLength characters.
std::string TipOfHint(const std::string& hint);

// An icon image as Qt draws it: transparent where the AND mask is set (a masked pixel that
// would invert the screen is shown transparent too).
QImage IconImageToQImage(const gui::IconImage& image);

class TRxTrayIcon : public QObject {
public:
  using TMouseEvent =
      std::function<void(TRxTrayIcon*, gui::TMouseButton, gui::TShiftState, int, int)>;
  using TMouseMoveEvent = std::function<void(TRxTrayIcon*, gui::TShiftState, int, int)>;
  using TNotifyEvent = std::function<void(TRxTrayIcon*)>;

  static constexpr uint16_t kDefaultInterval = 150;

  // Active and Enabled, no icon, no hint; the backend defaults to CreateTrayBackend().
  explicit TRxTrayIcon(QObject* owner = nullptr, std::unique_ptr<TrayBackend> backend = nullptr);
  ~TRxTrayIcon() override;

  bool Active() const { return active_; }
  // Adds the icon to the notification area (when it has a picture) or removes it.
  void SetActive(bool active);
  void Show() { SetActive(true); }
  void Hide() { SetActive(false); }
  // Mouse callbacks become events only while enabled; the icon stays either way.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  // Windows-1251; the part before the first '|' is the tip.
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint);
  // The owned icon and frame list: changing them (or their images) refreshes the tray.
  gui::TIcon& Icon() { return icon_; }
  const gui::TIcon& Icon() const { return icon_; }
  void SetIcon(const gui::TIcon* icon) { icon_.Assign(icon); }
  icolist::TIconList& Icons() { return icons_; }
  const icolist::TIconList& Icons() const { return icons_; }
  void SetIcons(const icolist::TIconList* icons) { icons_.Assign(icons); }
  // Cycles through Icons every Interval ms; stays off while Icons is empty.
  bool Animated() const { return animated_; }
  void SetAnimated(bool animated);
  uint16_t Interval() const { return interval_; }
  void SetInterval(uint16_t interval);
  // Not owned; cleared when the menu is destroyed.
  QMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

  // The icon is in the notification area now.
  bool Added() const { return added_; }
  // The animation frame; -1 until the animation is first switched.
  int IconIndex() const { return iconIndex_; }
  // Icon, or while animated the frame at IconIndex (may be null or empty).
  const gui::TIcon* GetActiveIcon() const;
  // What was last given to the notification area.
  const TrayIconData& IconData() const { return iconData_; }

  // Whether the desktop has a notification area at all.
  bool TrayAvailable() const { return backend_->Available(); }
  // Whether windows may be hidden to the tray: the icon is shown and answers the mouse.
  bool CanHideToTray() const { return added_ && enabled_; }

  // A stored layout is applied between these two; EndReading runs Loaded, which adds the icon
  // when Active (a layout with Active false shows nothing until the code sets it).
  void BeginReading() { componentState_ |= gui::csLoading | gui::csReading; }
  void EndReading();
  unsigned ComponentState() const { return componentState_; }

  // The tray callback: kTrayCallbackMessage with a mouse message as param, while Enabled.
  // Other messages are ignored. An exception from an event handler is shown by the
  // application's exception handler and goes no further.
  void WndProc(unsigned message, unsigned param);

  TrayBackend& Backend() { return *backend_; }
  // The animation's timer: tests fire its OnTimer to step the frames.
  gui::TTimer& AnimationTimer() { return animationTimer_; }

  TMouseEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

protected:
  virtual void Loaded();
  // Fills IconData from the active icon and the hint.
  virtual void UpdateNotifyData();
  // The menu's enabled default item, else OnDblClick.
  virtual void DblClick();
  // A right click pops up the menu, else OnClick.
  virtual void DoClick(gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  virtual void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y);
  virtual void MouseMove(gui::TShiftState shift, int x, int y);
  virtual void MouseUp(gui::TMouseButton button, gui::TShiftState shift, int x, int y);

private:
  void Activate();
  void Deactivate();
  void ChangeIcon();
  bool CheckMenuPopup(int x, int y);
  void Timer();
  void dispatch(unsigned param);
  void buttonUp(gui::TMouseButton button, unsigned clickedBit, gui::TShiftState shift,
                gui::TPoint at);
  void stopAnimation();

  std::unique_ptr<TrayBackend> backend_;
  bool active_ = true;
  bool added_ = false;
  bool animated_ = false;
  bool enabled_ = true;
  bool destroying_ = false;
  unsigned clicked_ = 0;  // kClickedLeft | kClickedRight: a press on the icon awaits its release
  int iconIndex_ = -1;
  uint16_t interval_ = kDefaultInterval;
  TrayIconData iconData_;
  gui::TIcon icon_;
  icolist::TIconList icons_;
  gui::TTimer animationTimer_;
  std::string hint_;
  QPointer<QMenu> popupMenu_;
  unsigned componentState_ = 0;
};

}  // namespace rxshell
