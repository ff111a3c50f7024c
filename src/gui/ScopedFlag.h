// A flag raised while a scope runs: set on entry and cleared on every way out, an exception
// included. Busy flags that event handlers test ("while ReSet runs...") are held this way, so
// that a handler that throws to the application's boundary leaves none of them set.
#pragma once

namespace gui {

class ScopedFlag {
public:
  explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = false; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
  bool& flag_;
};

}  // namespace gui
