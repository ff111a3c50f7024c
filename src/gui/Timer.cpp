#include "gui/Timer.h"

namespace gui {

TTimer::TTimer() {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (onTimer_) onTimer_(this);
  });
}

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
