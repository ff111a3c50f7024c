#include "viewer/Screenshot.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "viewer/TvScreen.h"
#include "viewer/Vyxu.h"

namespace {

constexpr int kDefaultDelayMs = 3000;

int delayMs() {
  const char* text = std::getenv("VYX_SCREENSHOT_DELAY");
  const int ms = text ? std::atoi(text) : kDefaultDelayMs;
  return ms > 0 ? ms : kDefaultDelayMs;
}

void takeAndQuit(const QString& path) {
  const QImage image = ComposeScreenshot();
  if (image.save(path, "PNG"))
    std::printf("screenshot: %s\n", path.toLocal8Bit().constData());
  else
    std::fprintf(stderr, "screenshot: cannot write %s\n", path.toLocal8Bit().constData());
  std::fflush(stdout);
  if (Form1) Form1->BYE();
}

}  // namespace

QImage ComposeScreenshot() {
  QList<QWidget*> windows;
  if (TvScreenWindow && TvScreenWindow->isVisible()) windows.append(TvScreenWindow);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w != TvScreenWindow) windows.append(w);
  QRect area;
  qreal ratio = 1;
  for (QWidget* w : windows) {
    area |= w->frameGeometry();
    ratio = std::max(ratio, w->devicePixelRatioF());
  }
  if (area.isEmpty()) return {};
  // At the screen's own resolution: with a scale factor the windows are drawn that much finer.
  QImage image(area.size() * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(QColor(40, 44, 52));
  QPainter p(&image);
  for (QWidget* w : windows) p.drawPixmap(w->geometry().topLeft() - area.topLeft(), w->grab());
  return image;
}

void InstallFirstFrameNoticeFromEnvironment() {
  if (const char* notice = std::getenv("VYX_FIRST_FRAME_NOTICE"); notice && *notice == '1') {
    TvFirstFramePainted = [] {
      std::printf("first frame painted\n");
      std::fflush(stdout);
    };
  }
}

void ScheduleScreenshotFromEnvironment() {
  const char* path = std::getenv("VYX_SCREENSHOT");
  if (!path || !*path) return;
  const QString file = QString::fromLocal8Bit(path);
  QTimer::singleShot(delayMs(), qApp, [file] { takeAndQuit(file); });
}
