// The floor the start-up and picture benchmarks measure vyx against: the least a Qt Widgets
// program does to show a live picture. One window of the TV window's size paints one picture,
// scaled beforehand to the window, 25 times a second.
//
//   bench_minimal_qt [WIDTH HEIGHT] [--measure WARMUP FRAMES]
//
// With VYX_FIRST_FRAME_NOTICE=1 it prints "first frame painted" at its first paint, as vyx does;
// with --measure it prints the processor time of its frames (FrameMeter.h) and ends.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "FrameMeter.h"

namespace {

constexpr int kFrameMs = 40;

class PictureWindow : public QWidget {
public:
  explicit PictureWindow(QSize size) : picture_(size, QImage::Format_RGB32) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Eight bars, as a test pattern shows them.
    QPainter p(&picture_);
    const QColor bars[] = {Qt::white, Qt::yellow, Qt::cyan,    Qt::green,
                           Qt::magenta, Qt::red,  Qt::blue,    Qt::black};
    for (int i = 0; i < 8; ++i)
      p.fillRect(QRect(i * size.width() / 8, 0, size.width() / 8 + 1, size.height()), bars[i]);
    notice_ = std::getenv("VYX_FIRST_FRAME_NOTICE") &&
              std::strcmp(std::getenv("VYX_FIRST_FRAME_NOTICE"), "1") == 0;
    resize(size);
  }

protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
    if (notice_) {
      notice_ = false;
      std::printf("first frame painted\n");
      std::fflush(stdout);
    }
  }

private:
  QImage picture_;
  bool notice_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QSize size(394, 294);
  int warmup = 0, frames = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--measure") == 0 && i + 2 < argc) {
      warmup = std::atoi(argv[i + 1]);
      frames = std::atoi(argv[i + 2]);
      i += 2;
    } else if (i + 1 < argc) {
      size = QSize(std::atoi(argv[i]), std::atoi(argv[i + 1]));
      ++i;
    }
  }
  PictureWindow window(size);
  window.show();
  std::unique_ptr<bench::FrameMeter> meter;
  if (frames > 0) meter = std::make_unique<bench::FrameMeter>(&window, warmup, frames);
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer, &QTimer::timeout, &window, [&] { window.update(); });
  timer.start(kFrameMs);
  return app.exec();
}
