// TRxTimer: a timer component with the class library timer's Enabled, Interval and OnTimer that
// ticks from a worker thread of its own (Threaded, the default) or from a main-thread timer.
// The worker keeps time while the main thread is busy in a loop that delays ordinary timers;
// with SyncEvent (the default) the handler still runs on the main thread, through a queued call
// that the worker waits for.
//
// The worker never runs into a wall: re-arming, stopping and destroying all wake it where it
// sleeps or waits, so the destructor returns at once and no handler runs after it.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "controls/RxtimerClock.h"
#include "gui/Timer.h"

namespace rxtimer {

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// The message of window mode when the system has no timer left.
inline constexpr const char* kNoTimersText = "Not enough timers available";

class TTimerThread;
struct TTimerShared;

class TRxTimer : public QObject {
public:
  using TNotifyEvent = std::function<void(TRxTimer*)>;

  // Enabled, 1000 ms, SyncEvent, Threaded, tpNormal; it ticks only once OnTimer is set. The
  // worker sleeps on `clock` (DefaultTimerClock() when none is given).
  explicit TRxTimer(QObject* owner = nullptr, std::shared_ptr<TTimerClock> clock = nullptr);
  ~TRxTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // Milliseconds; 0 stops the ticks. Setting it starts the period again.
  uint32_t Interval() const { return interval_; }
  void SetInterval(uint32_t value);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  // Re-arms only when the handler comes or goes.
  void SetOnTimer(TNotifyEvent handler);
  // The handler runs on the main thread (true) or on the worker (false).
  bool SyncEvent() const;
  void SetSyncEvent(bool value);
  // The worker (true) or a main-thread timer (false) ticks.
  bool Threaded() const { return threaded_; }
  void SetThreaded(bool value);
  TThreadPriority ThreadPriority() const { return threadPriority_; }
  void SetThreadPriority(TThreadPriority value);

  // Runs method on the main thread: directly when called there, else through a queued call
  // that the calling thread waits for (skipped once the timer is being destroyed).
  void Synchronize(const std::function<void()>& method);

  // Whether the worker is armed (resumed) now, and the main-thread timer of window mode.
  bool ThreadRunning() const;
  const gui::TTimer* WindowTimer() const { return windowTimer_.get(); }
  TTimerClock& Clock() const { return *clock_; }

protected:
  // Calls OnTimer while Enabled, not being destroyed and a handler is set.
  virtual void Timer();

private:
  friend class TTimerThread;

  void UpdateTimer();
  void armThread(bool armed);
  void armWindow(bool armed);
  bool wantsTicks() const { return interval_ != 0 && enabled_ && onTimer_; }
  // Posts method to the main thread and waits until it ran or the timer is destroyed; the
  // clock's lock is held.
  void postAndWait(std::unique_lock<std::mutex>& lock, const std::function<void()>& method);
  // The queued call of a synchronised tick: runs `method` unless the worker has given up.
  void runQueued(uint64_t call, const std::function<void()>& method);

  std::shared_ptr<TTimerClock> clock_;
  std::shared_ptr<TTimerShared> shared_;
  std::thread worker_;
  std::unique_ptr<gui::TTimer> windowTimer_;
  TNotifyEvent onTimer_;
  bool enabled_ = true;
  uint32_t interval_ = 1000;
  bool threaded_ = true;
  bool destroying_ = false;
  TThreadPriority threadPriority_ = tpNormal;
};

}  // namespace rxtimer
