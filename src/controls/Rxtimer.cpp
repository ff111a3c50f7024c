// TRxTimer: properties, re-arming in both modes, the synchronised call and the destructor.
// The worker's loop is in RxtimerThread.cpp.
#include "controls/Rxtimer.h"

#include <QCoreApplication>
#include <QThread>

#include "controls/RxtimerThread.h"
#include "gui/Exceptions.h"
#include "gui/VyxApplication.h"

namespace rxtimer {

namespace {

bool onMainThread() {
  QCoreApplication* app = QCoreApplication::instance();
  return app == nullptr || QThread::currentThread() == app->thread();
}

}  // namespace

TRxTimer::TRxTimer(QObject* owner, std::shared_ptr<TTimerClock> clock)
    : QObject(owner),
      clock_(clock ? std::move(clock) : DefaultTimerClock()),
      shared_(std::make_shared<TTimerShared>()) {
  {
    std::lock_guard<std::mutex> lock(clock_->Mutex());
    clock_->Register(shared_->sleeper);
  }
  // Created suspended: it ticks once a handler is set.
  worker_ = std::thread([this] { TTimerThread(*this, *clock_, *shared_).Execute(); });
}

// Tells the worker to end and waits for it. The worker never waits for the main thread
// without also watching `terminated`, so it ends at once wherever it is.
TRxTimer::~TRxTimer() {
  destroying_ = true;
  enabled_ = false;
  {
    std::lock_guard<std::mutex> lock(clock_->Mutex());
    onTimer_ = nullptr;
    shared_->armed = false;
    shared_->terminated = true;
    clock_->Wake(shared_->sleeper);
  }
  if (worker_.joinable()) worker_.join();
  windowTimer_.reset();
}

// --- properties -----------------------------------------------------------------------------

void TRxTimer::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TRxTimer::SetInterval(uint32_t value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TRxTimer::SetOnTimer(TNotifyEvent handler) {
  bool hadHandler = bool(onTimer_);
  {
    std::lock_guard<std::mutex> lock(clock_->Mutex());
    onTimer_ = std::move(handler);
  }
  if (hadHandler != bool(onTimer_)) UpdateTimer();
}

bool TRxTimer::SyncEvent() const {
  std::lock_guard<std::mutex> lock(clock_->Mutex());
  return shared_->syncEvent;
}

void TRxTimer::SetSyncEvent(bool value) {
  std::lock_guard<std::mutex> lock(clock_->Mutex());
  shared_->syncEvent = value;
}

void TRxTimer::SetThreaded(bool value) {
  if (value == threaded_) return;
  threaded_ = value;
  UpdateTimer();
}

void TRxTimer::SetThreadPriority(TThreadPriority value) {
  if (value == threadPriority_) return;
  threadPriority_ = value;
  if (threaded_) UpdateTimer();
}

bool TRxTimer::ThreadRunning() const {
  std::lock_guard<std::mutex> lock(clock_->Mutex());
  return shared_->armed;
}

// --- re-arming ------------------------------------------------------------------------------

void TRxTimer::UpdateTimer() {
  if (threaded_) {
    armWindow(false);
    windowTimer_.reset();
    armThread(wantsTicks());
  } else {
    armThread(false);
    armWindow(wantsTicks());
  }
}

// Suspends the worker and, when it should tick, resumes it with a new period.
void TRxTimer::armThread(bool armed) {
  std::lock_guard<std::mutex> lock(clock_->Mutex());
  shared_->interval = interval_;
  shared_->priority = threadPriority_;
  shared_->armed = armed;
  ++shared_->generation;
  clock_->Wake(shared_->sleeper);
}

// The hidden window's timer: created on first use, killed and set again on every re-arm.
void TRxTimer::armWindow(bool armed) {
  if (!windowTimer_) {
    if (!armed) return;
    windowTimer_ = std::make_unique<gui::TTimer>();
    windowTimer_->SetOnTimer([this](gui::TTimer*) {
      try {
        Timer();
      } catch (...) {
        gui::VyxApplication::HandleException();
      }
    });
  }
  windowTimer_->SetEnabled(false);
  if (!armed) return;
  windowTimer_->SetInterval(interval_);
  windowTimer_->SetEnabled(true);
  if (!windowTimer_->Active()) throw gui::EOutOfResources(kNoTimersText);
}

// --- ticks ----------------------------------------------------------------------------------

void TRxTimer::Timer() {
  if (enabled_ && !destroying_ && onTimer_) onTimer_(this);
}

// From another thread the method always runs on the main thread: a worker that was told to
// end skips it rather than touch the main thread's objects itself.
void TRxTimer::Synchronize(const std::function<void()>& method) {
  if (onMainThread()) {
    method();
    return;
  }
  std::unique_lock<std::mutex> lock(clock_->Mutex());
  postAndWait(lock, method);
}

void TRxTimer::postAndWait(std::unique_lock<std::mutex>& lock, const std::function<void()>& method) {
  if (shared_->terminated) return;
  uint64_t call = ++shared_->callsPosted;
  QMetaObject::invokeMethod(
      this, [this, call, method] { runQueued(call, method); }, Qt::QueuedConnection);
  while (!shared_->terminated && shared_->callsDone < call) {
    clock_->Sleep(lock, shared_->sleeper, kForever);
  }
}

// On the main thread. The timer may be destroyed by the method, so the worker is released
// through copies of the shared state.
void TRxTimer::runQueued(uint64_t call, const std::function<void()>& method) {
  std::shared_ptr<TTimerClock> clock = clock_;
  std::shared_ptr<TTimerShared> shared = shared_;
  struct Release {
    TTimerClock& clock;
    TTimerShared& shared;
    uint64_t call;
    ~Release() {
      std::lock_guard<std::mutex> lock(clock.Mutex());
      shared.callsDone = std::max(shared.callsDone, call);
      clock.Wake(shared.sleeper);
    }
  } release{*clock, *shared, call};
  {
    std::lock_guard<std::mutex> lock(clock->Mutex());
    if (shared->terminated) return;
  }
  method();
}

}  // namespace rxtimer
