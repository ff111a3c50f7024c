// Measures what showing a moving picture costs a process: the processor time of all its threads
// per displayed frame, between two paints of one window. The first `warmup` paints are left out
// (start-up, first layouts, caches filling); the next `frames` paints are measured; then one
// line "frames=N cpu_ns=C wall_ns=W" goes to standard output and the process ends at once, so
// nothing of a shut-down is counted or written. Shared by the minimal Qt program and the
// children of bench_picture, so both sides of a ratio are measured the same way.
#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <functional>

namespace bench {

inline int64_t processCpuNs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

inline int64_t wallNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// The result line a measuring child prints, and its reading in the parent.
struct FrameCost {
  int frames = 0;
  int64_t cpuNs = 0;
  int64_t wallNs = 0;

  double cpuPerFrameUs() const { return frames > 0 ? double(cpuNs) / frames / 1000.0 : 0; }
};

class FrameMeter : public QObject {
public:
  // Counts the paints of `window` that show a new frame (`isNewFrame`, asked at each paint; null
  // counts every paint).
  FrameMeter(QWidget* window, int warmup, int frames, std::function<bool()> isNewFrame = {})
      : warmup_(warmup), frames_(frames), isNewFrame_(std::move(isNewFrame)) {
    window->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Paint || (isNewFrame_ && !isNewFrame_())) return false;
    ++painted_;
    if (painted_ == warmup_) {
      cpuStart_ = processCpuNs();
      wallStart_ = wallNs();
    } else if (painted_ == warmup_ + frames_) {
      const int64_t cpu = processCpuNs() - cpuStart_, wall = wallNs() - wallStart_;
      std::printf("frames=%d cpu_ns=%lld wall_ns=%lld\n", frames_, static_cast<long long>(cpu),
                  static_cast<long long>(wall));
      std::fflush(stdout);
      _exit(0);
    }
    return false;
  }

private:
  int warmup_;
  int frames_;
  std::function<bool()> isNewFrame_;
  int painted_ = 0;
  int64_t cpuStart_ = 0;
  int64_t wallStart_ = 0;
};

}  // namespace bench
