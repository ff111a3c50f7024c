// The TV window "TV Screen": the capture window that shows the live picture, with the window
// style of the settings mapped onto the desktop's window flags. The card functions reach it
// through TvWindowHandle to hide it for radio and show it again.
#pragma once

#include <QPointer>

#include <cstdint>
#include <functional>

#include "core/TvWindow.h"
#include "platform/capture/CaptureWindow.h"

// Window style bits of the WindowStyle setting.
constexpr uint32_t kWsPopup = 0x80000000;
constexpr uint32_t kWsVisible = 0x10000000;
constexpr uint32_t kWsDisabled = 0x08000000;
constexpr uint32_t kWsMinimize = 0x20000000;
constexpr uint32_t kWsMaximize = 0x01000000;
constexpr uint32_t kWsCaption = 0x00C00000;
constexpr uint32_t kWsSysMenu = 0x00080000;
constexpr uint32_t kWsThickFrame = 0x00040000;
constexpr uint32_t kWsMinimizeBox = 0x00020000;
constexpr uint32_t kWsMaximizeBox = 0x00010000;
// The style used when the setting holds 0: a visible pop-up without frame.
constexpr uint32_t kDefaultTvWindowStyle = kWsPopup | kWsVisible;

// How a window style shows on the desktop.
struct TvWindowLook {
  Qt::WindowFlags flags;
  bool visible = false;
  bool disabled = false;
  Qt::WindowStates state = Qt::WindowNoState;
};
TvWindowLook TvWindowLookOf(uint32_t style);

class TvScreen : public platform::CaptureWindow, public TvWindowHandle {
public:
  static constexpr const char* kTitle = "TV Screen";

  // The window at `rect` with `style`, owned by `owner` (which keeps it off the taskbar).
  TvScreen(uint32_t style, const QRect& rect, QWidget* owner, int id);
  ~TvScreen() override;

  uint32_t style() const { return style_; }
  int id() const { return id_; }

  // TvWindowHandle: shown again as it was (normal or full screen), or hidden.
  void Show() override;
  void Hide() override;

  // The rectangle the window has when neither maximised nor full screen.
  QRect normalRect() const;
  // Moves and sizes it without activating it, optionally kept above other windows.
  void place(const QRect& rect, bool topmost);
  // Takes another window style at once, keeping its rectangle.
  void restyle(uint32_t style, bool topmost);

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  uint32_t style_;
  int id_;
  bool pictureShown_ = false;
};

// Called once, when a TV window has painted its first picture, from its paint event (start-up
// measurements; the OSD windows are painted over it and the window flushed right after).
extern std::function<void()>& TvFirstFramePainted;

// The TV window as the viewer holds it; null while there is none. TvWindow (the card layer's
// handle) points at the same object.
extern QPointer<TvScreen>& TvScreenWindow;
// The invisible owner of the TV window, made once.
extern QPointer<QWidget>& TvParentWindow;
