// TTimer with the class library's rules: it runs while Enabled, Interval > 0 and OnTimer is
// set; changing Interval, Enabled or OnTimer starts the period again; Interval 0 never fires.
//
// Timers share the program's wake-ups: whenever one fires, and whenever the picture brings a
// frame (FireDue), every other running timer due within a quarter of its interval (at most
// kMaxEarlyMs) fires with it and starts its period again. Each wake-up of a process costs as
// much processor time as painting a small frame; without this the remote's 20 ms poll and the
// panels' 100 ms timers would each wake the program between frames.
#pragma once

#include <QTimer>

#include <chrono>
#include <functional>

namespace gui {

class TTimer {
public:
  TTimer();
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned interval);
  const std::function<void(TTimer*)>& OnTimer() const { return onTimer_; }
  void SetOnTimer(std::function<void(TTimer*)> handler);
  // Whether the system timer is running now.
  bool Active() const { return timer_.isActive(); }

  // Runs `action` once, just before the next handler of any TTimer is called (null: none). The
  // start-up uses it to finish building the windows before any timer's handler can reach them.
  static void RunBeforeNextTick(std::function<void()> action);

  // The most a timer fires before its time to share a wake-up. At 25 frames a second a 100 ms
  // or 300 ms timer that a frame fired falls due just over 20 ms after a later frame (its period
  // starts a moment after the frame): 25 ms lets that frame take it along again.
  static constexpr int kMaxEarlyMs = 25;
  // Fires every running timer whose time comes within its early margin (see above). Not while
  // a timer's handler runs (a handler's nested event loop fires the timers itself).
  static void FireDue();

private:
  using Clock = std::chrono::steady_clock;

  void updateTimer();
  // Starts the system timer's period and notes when it ends.
  void start();
  void tick();
  int earlyMarginMs() const;

  QTimer timer_;
  Clock::time_point due_;  // the end of the running period
  bool enabled_ = true;
  unsigned interval_ = 1000;
  std::function<void(TTimer*)> onTimer_;
};

}  // namespace gui
