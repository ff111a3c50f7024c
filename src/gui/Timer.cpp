#include "gui/Timer.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace gui {

namespace {

std::function<void()> beforeNextTick;

// The timers that run (their system timer is active), for FireDue. Never freed: timers with
// static storage may outlive any other static object.
std::vector<TTimer*>& runningTimers() {
  static auto* timers = new std::vector<TTimer*>;
  return *timers;
}

// Whether `timer` still runs: a handler may have stopped or destroyed it.
bool running(TTimer* timer) {
  const auto& all = runningTimers();
  return std::find(all.begin(), all.end(), timer) != all.end();
}

// Set while timers are fired: a handler that runs an event loop does not fire the rest early.
bool firingDue = false;

}  // namespace

TTimer::TTimer() {
  timer_.setTimerType(Qt::PreciseTimer);  // the sharing of wake-ups is done here
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    tick();
    FireDue();
  });
}

TTimer::~TTimer() { std::erase(runningTimers(), this); }

// Each period is counted from the tick that ended the last one, so that a timer a little ahead
// of the frames falls behind them and is then fired with them.
void TTimer::tick() {
  start();
  if (!onTimer_) return;
  if (auto action = std::exchange(beforeNextTick, nullptr)) action();
  // The action may have changed this timer; its own rules decide whether it still fires.
  if (onTimer_ && enabled_) onTimer_(this);
}

void TTimer::start() {
  timer_.start();
  due_ = Clock::now() + std::chrono::milliseconds(timer_.interval());
}

int TTimer::earlyMarginMs() const { return int(std::min<unsigned>(interval_ / 4, kMaxEarlyMs)); }

void TTimer::FireDue() {
  if (firingDue) return;
  struct Firing {
    Firing() { firingDue = true; }
    ~Firing() { firingDue = false; }  // also when a handler throws
  } firing;
  // One reading of the clock for all; the timers that are due are picked first, because
  // handlers may stop or destroy timers.
  const auto now = Clock::now();
  std::vector<TTimer*> due;
  for (TTimer* t : runningTimers())
    if (t->due_ - now <= std::chrono::milliseconds(t->earlyMarginMs())) due.push_back(t);
  for (TTimer* t : due)
    if (running(t)) t->tick();
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
  std::erase(runningTimers(), this);
  if (enabled_ && interval_ != 0 && onTimer_) {
    timer_.setInterval(int(std::min<unsigned>(interval_, INT32_MAX)));
    start();
    runningTimers().push_back(this);
  }
}

}  // namespace gui
