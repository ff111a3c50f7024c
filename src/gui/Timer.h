// TTimer with the class library's rules: it runs while Enabled, Interval > 0 and OnTimer is
// set; changing Interval, Enabled or OnTimer starts the period again; Interval 0 never fires.
#pragma once

#include <QTimer>

#include <functional>

namespace gui {

class TTimer {
public:
  TTimer();
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

private:
  void updateTimer();

  QTimer timer_;
  bool enabled_ = true;
  unsigned interval_ = 1000;
  std::function<void(TTimer*)> onTimer_;
};

}  // namespace gui
