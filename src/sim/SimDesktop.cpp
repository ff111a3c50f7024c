#include "sim/SimDesktop.h"

#include <unistd.h>

#include <cstdlib>

#include "sim/SimSystemLog.h"

namespace sim {

namespace {

SystemEvent modeEvent(SystemEvent::Kind kind, int width, int height, int refresh, bool ok) {
  SystemEvent e;
  e.kind = kind;
  e.a = width;
  e.b = height;
  e.c = refresh;
  e.ok = ok;
  return e;
}

}  // namespace

void SimDesktop::reset() {
  setModes({{1024, 768, 60}, {800, 600, 60}, {640, 480, 60}, {400, 300, 60}, {320, 240, 60}});
  changePossible_ = true;
  witness_ = -1;
  handlerRestores_ = 0;
  cursorCount_ = 0;
}

void SimDesktop::setModes(const std::vector<SimScreenMode>& modes) {
  if (modes.empty()) return;
  modes_ = modes;
  width_ = modes.front().width;
  height_ = modes.front().height;
  refresh_ = modes.front().refreshHz;
}

bool SimDesktop::setMode(int width, int height, int refreshHz) {
  const SimScreenMode* found = nullptr;
  if (changePossible_) {
    for (const SimScreenMode& m : modes_) {
      if (m.width != width || m.height != height) continue;
      if (refreshHz == 0 || std::abs(m.refreshHz - refreshHz) <= 1) {
        found = &m;
        break;
      }
    }
  }
  SystemLog().add(
      modeEvent(SystemEvent::Kind::ModeSet, width, height, refreshHz, found != nullptr));
  if (!found) return false;
  width_ = found->width;
  height_ = found->height;
  refresh_ = found->refreshHz;
  return true;
}

void SimDesktop::restore(const SimScreenMode& mode) {
  width_ = mode.width;
  height_ = mode.height;
  refresh_ = mode.refreshHz;
  SystemLog().add(
      modeEvent(SystemEvent::Kind::ModeRestore, mode.width, mode.height, mode.refreshHz, true));
}

void SimDesktop::restoreFromHandler(const SimScreenMode& mode) noexcept {
  width_ = mode.width;
  height_ = mode.height;
  refresh_ = mode.refreshHz;
  ++handlerRestores_;
  int fd = witness_;
  if (fd < 0) return;
  const int record[3] = {mode.width, mode.height, mode.refreshHz};
  ssize_t written = write(fd, record, sizeof record);
  (void)written;
}

int SimDesktop::showCursor(bool show) {
  cursorCount_ += show ? 1 : -1;
  SystemEvent e;
  e.kind = SystemEvent::Kind::CursorShow;
  e.a = show ? 1 : 0;
  e.b = cursorCount_;
  SystemLog().add(std::move(e));
  return cursorCount_;
}

SimDesktop& Desktop() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimDesktop& desktop = *new SimDesktop;
  return desktop;
}

}  // namespace sim
