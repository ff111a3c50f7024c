#include "gui/Timer.h"

#include <utility>

namespace gui {

namespace {

std::function<void()> beforeNextTick;

}  // namespace

TTimer::TTimer() {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (!onTimer_) return;
    if (auto action = std::exchange(beforeNextTick, nullptr)) action();
    // The action may have changed this timer; its own rules decide whether it still fires.
    if (onTimer_ && enabled_) onTimer_(this);
  });
}

void TTimer::RunBeforeNextTick(std::function<void()> action) { beforeNextTick = std::move(action); }

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  updateTimer();
}

void TTimer::SetInterval(unsigned interval) {
  if (interval == interval_) return;
  interval_ = interval;
  updateTimer();
}

void TTimer::SetOnTimer(std::function<void(TTimer*)> handler) {
  onTimer_ = std::move(handler);
  updateTimer();
}

void TTimer::updateTimer() {
  timer_.stop();
  if (enabled_ && interval_ != 0 && onTimer_) timer_.start(int(std::min<unsigned>(interval_, INT32_MAX)));
}

}  // namespace gui
