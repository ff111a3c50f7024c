// The worker of TRxTimer: sleeps for the interval while armed, then ticks, until told to end.
// It is never stopped from outside at an arbitrary point: suspending means that it parks at the
// top of its loop, and every change that concerns it wakes it there or in its sleep.
#include "controls/RxtimerThread.h"

#include <QMetaObject>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <pthread.h>
#include <sched.h>

#include "gui/Exceptions.h"
#include "gui/VyxApplication.h"

namespace rxtimer {

void TTimerThread::Execute() {
  std::unique_lock<std::mutex> lock(clock_.Mutex());
  while (!shared_.terminated) {
    if (!shared_.armed) {
      clock_.Sleep(lock, shared_.sleeper, kForever);
      continue;
    }
    if (shared_.priority != applied_) applyPriority(shared_.priority);
    if (sleepPeriod(lock)) tick(lock);
  }
  clock_.Unregister(shared_.sleeper);
}

bool TTimerThread::sleepPeriod(std::unique_lock<std::mutex>& lock) {
  uint64_t generation = shared_.generation;
  uint64_t now = clock_.NowMs();
  uint64_t deadline = now + shared_.interval < now ? kForever : now + shared_.interval;
  while (!shared_.terminated && shared_.generation == generation && clock_.NowMs() < deadline) {
    clock_.Sleep(lock, shared_.sleeper, deadline);
  }
  return !shared_.terminated && shared_.generation == generation && shared_.armed;
}

// With SyncEvent the handler runs on the main thread while this thread waits for it; a
// re-arm from inside the handler takes effect when the next period starts.
void TTimerThread::tick(std::unique_lock<std::mutex>& lock) {
  if (!shared_.syncEvent) {
    runUnsynchronised(lock);
    return;
  }
  owner_.postAndWait(lock, [owner = &owner_] { owner->Timer(); });
}

// The handler runs here, on the worker. Its exception is reported on the main thread, where
// message boxes may be shown; the loop goes on.
void TTimerThread::runUnsynchronised(std::unique_lock<std::mutex>& lock) {
  TRxTimer::TNotifyEvent handler = owner_.onTimer_;
  if (!handler) return;
  lock.unlock();
  std::exception_ptr error;
  try {
    handler(&owner_);
  } catch (...) {
    error = std::current_exception();
  }
  lock.lock();
  if (!error || shared_.terminated) return;
  shared_.exception = error;
  QMetaObject::invokeMethod(
      &owner_,
      [error] {
        try {
          std::rethrow_exception(error);
        } catch (...) {
          gui::VyxApplication::HandleException();
        }
      },
      Qt::QueuedConnection);
}

// The platform's scale: the idle class for tpIdle, nice values around 0 for the others.
// Raising a thread above normal needs a privilege; without it the thread stays normal.
void TTimerThread::applyPriority(TThreadPriority priority) {
  applied_ = priority;
  sched_param param{};
  if (priority == tpIdle) {
    pthread_setschedparam(pthread_self(), SCHED_IDLE, &param);
    return;
  }
  pthread_setschedparam(pthread_self(), SCHED_OTHER, &param);
  static constexpr int kNice[] = {19, 10, 5, 0, -5, -10, -15};
  setpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)), kNice[priority]);
}

}  // namespace rxtimer
