// A message box that closes itself when the user leaves it alone: after a timeout it comes to the
// front and flashes for a while, then closes with the result 100. Any key or mouse activity on
// the box restarts the wait. Timeouts of 2000 ms or less never close the box.
#pragma once

#include <cstdint>
#include <string>

class QWidget;

// The result when the box closed itself.
constexpr int kTimedBoxTimeout = 100;

// Shows the box through the message-box service (so tests that record boxes see it) and returns
// its result, or kTimedBoxTimeout. `flags` are platform::MessageBoxFlags.
int TimedMessageBox(QWidget* owner, const std::string& text, const std::string& caption,
                    unsigned flags, int timeoutMs, int flashMs);

// The timing of one box, without any window: what to do at which time.
class TimedBoxSchedule {
public:
  enum class Action { Wait, Flash, Close };

  // `blinkMs` is the time between two flashes. `timeoutMs` <= 2000 gives a schedule that never
  // acts.
  TimedBoxSchedule(int timeoutMs, int flashMs, int blinkMs);

  // Milliseconds until the next call of due(); negative when the box is never touched again.
  int nextMs() const { return next_; }
  // Reports key or mouse activity on the box since the last call.
  void activity() { activity_ = true; }
  // The time given by nextMs() has passed: what to do now.
  Action due();
  // True while the box is flashing (activity then restores its normal look).
  bool flashing() const { return remaining_ > 0; }

private:
  int wait_ = 0;       // the quiet time before flashing starts
  int flash_ = 0;      // how long the box flashes before it closes
  int blink_ = 0;
  int remaining_ = 0;  // flashing time left
  int next_ = -1;
  bool started_ = false;
  bool activity_ = false;
};
