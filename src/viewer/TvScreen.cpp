#include "viewer/TvScreen.h"

#include <utility>

TvWindowLook TvWindowLookOf(uint32_t style) {
  TvWindowLook look;
  look.flags = Qt::Window | Qt::CustomizeWindowHint;
  if ((style & kWsCaption) == kWsCaption) {
    look.flags |= Qt::WindowTitleHint;
    if (style & kWsSysMenu) look.flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & kWsMinimizeBox) look.flags |= Qt::WindowMinimizeButtonHint;
    if (style & kWsMaximizeBox) look.flags |= Qt::WindowMaximizeButtonHint;
  } else if (!(style & kWsThickFrame)) {
    // Neither caption nor sizing frame: a bare picture that the TV window procedure moves.
    look.flags |= Qt::FramelessWindowHint;
  }
  look.visible = style & kWsVisible;
  look.disabled = style & kWsDisabled;
  if (style & kWsMinimize)
    look.state = Qt::WindowMinimized;
  else if (style & kWsMaximize)
    look.state = Qt::WindowMaximized;
  return look;
}

TvScreen::TvScreen(uint32_t style, const QRect& rect, QWidget* owner, int id)
    : platform::CaptureWindow(owner), style_(style), id_(id) {
  const TvWindowLook look = TvWindowLookOf(style);
  setWindowFlags(look.flags);
  setWindowTitle(QString::fromLatin1(kTitle));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setGeometry(rect);
  setEnabled(!look.disabled);
  setWindowState(look.state);
  if (look.visible) show();
}

TvScreen::~TvScreen() {
  if (TvWindow == this) TvWindow = nullptr;
}

void TvScreen::Show() { show(); }

void TvScreen::Hide() { hide(); }

QRect TvScreen::normalRect() const {
  return windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen) ? normalGeometry()
                                                                      : geometry();
}

void TvScreen::place(const QRect& rect, bool topmost) {
  if (topmost != bool(windowFlags() & Qt::WindowStaysOnTopHint)) {
    // Changing the flag takes the window off the screen; it comes back as it was.
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (wasVisible) show();
  }
  setGeometry(rect);
}

void TvScreen::restyle(uint32_t style, bool topmost) {
  style_ = style;
  const TvWindowLook look = TvWindowLookOf(style);
  const QRect rect = geometry();
  const bool wasVisible = isVisible();
  // New flags take the window off the screen; it comes back with its new frame.
  setWindowFlags(look.flags | (topmost ? Qt::WindowStaysOnTopHint : Qt::WindowFlags()));
  setGeometry(rect);
  setEnabled(!look.disabled);
  if (look.visible || wasVisible) show();
}

void TvScreen::paintEvent(QPaintEvent* event) {
  platform::CaptureWindow::paintEvent(event);
  if (pictureShown_ || !source().hasFrame()) return;
  pictureShown_ = true;
  if (auto notify = std::exchange(TvFirstFramePainted, nullptr)) notify();
}
