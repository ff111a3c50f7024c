#include "recording/TimedMessageBox.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <algorithm>

#include "platform/MessageBox.h"

namespace {

// The time the box gets to appear before it is looked for.
constexpr int kAppearMs = 2000;

bool isActivity(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
      return true;
    default:
      return false;
  }
}

// Watches the box that the message-box service shows while it lives: finds it once it has had
// time to appear, follows the user's activity on it and closes it when the schedule says so.
class TimedBoxWatcher : public QObject {
public:
  TimedBoxWatcher(int timeoutMs, int flashMs)
      : schedule_(timeoutMs, flashMs, std::max(1, QApplication::cursorFlashTime() / 2)) {
    if (schedule_.nextMs() < 0 || !qApp) return;
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
    timer_.start(schedule_.nextMs());
  }

  ~TimedBoxWatcher() override {
    if (qApp) qApp->removeEventFilter(this);
  }

  bool timedOut() const { return timedOut_; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (isActivity(event->type()) && box_ && watched->isWidgetType()) {
      auto* widget = static_cast<QWidget*>(watched);
      if (widget == box_ || box_->isAncestorOf(widget)) schedule_.activity();
    }
    return false;
  }

private:
  void tick() {
    const bool first = !box_ && !searched_;
    if (first) {
      searched_ = true;
      box_ = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box_) return;  // no box (or the user closed it already): nothing to watch
      qApp->installEventFilter(this);
    }
    if (!box_) return;
    switch (schedule_.due()) {
      case TimedBoxSchedule::Action::Wait:
        break;
      case TimedBoxSchedule::Action::Flash:
        box_->raise();
        box_->activateWindow();
        QApplication::alert(box_, schedule_.nextMs());
        break;
      case TimedBoxSchedule::Action::Close:
        timedOut_ = true;
        if (auto* box = qobject_cast<QMessageBox*>(box_.data())) box->done(kTimedBoxTimeout);
        return;
    }
    if (schedule_.nextMs() >= 0) timer_.start(schedule_.nextMs());
  }

  TimedBoxSchedule schedule_;
  QTimer timer_;
  QPointer<QWidget> box_;
  bool searched_ = false;
  bool timedOut_ = false;
};

}  // namespace

int TimedMessageBox(QWidget*, const std::string& text, const std::string& caption, unsigned flags,
                    int timeoutMs, int flashMs) {
  TimedBoxWatcher watcher(timeoutMs, flashMs);
  const int result = platform::ShowMessageBox(text, caption, flags);
  return watcher.timedOut() ? kTimedBoxTimeout : result;
}

TimedBoxSchedule::TimedBoxSchedule(int timeoutMs, int flashMs, int blinkMs) {
  if (timeoutMs <= kAppearMs) return;
  wait_ = timeoutMs - kAppearMs;
  flash_ = std::min(flashMs, wait_);
  blink_ = std::max(1, blinkMs);
  next_ = kAppearMs;
}

TimedBoxSchedule::Action TimedBoxSchedule::due() {
  if (next_ < 0) return Action::Wait;
  if (!started_) {
    // The box is watched from now on; what happened before does not count.
    started_ = true;
    activity_ = false;
    next_ = wait_ - flash_;
    return Action::Wait;
  }
  if (remaining_ <= 0) {
    if (activity_) {
      activity_ = false;
      next_ = wait_ - flash_;
      return Action::Wait;
    }
    if (flash_ <= 0) {
      next_ = -1;
      return Action::Close;
    }
    remaining_ = flash_;
    next_ = blink_;
    return Action::Flash;
  }
  if (activity_) {
    activity_ = false;
    remaining_ = 0;
    next_ = wait_ - flash_;
    return Action::Wait;
  }
  remaining_ -= blink_;
  if (remaining_ <= 0) {
    remaining_ = 0;
    next_ = -1;
    return Action::Close;
  }
  next_ = blink_;
  return Action::Flash;
}
