#include "platform/DisplayModeSim.h"

#include "sim/SimDesktop.h"

namespace platform {

namespace {

class SimMode : public DisplayMode {
public:
  std::optional<ScreenMode> currentMode() override {
    sim::SimScreenMode m = sim::Desktop().currentMode();
    return ScreenMode{m.width, m.height, m.refreshHz};
  }
  bool modeChangePossible() override { return sim::Desktop().modeChangePossible(); }

protected:
  bool applyMode(const ScreenMode& m) override {
    return sim::Desktop().setMode(m.width, m.height, m.refreshHz);
  }
  bool saveOriginal() override {
    saved_ = sim::Desktop().currentMode();
    return true;
  }
  bool restoreOriginal() override {
    sim::Desktop().restore(saved_);
    return true;
  }
  void restoreInEmergency() noexcept override { sim::Desktop().restoreFromHandler(saved_); }

private:
  sim::SimScreenMode saved_;
};

}  // namespace

DisplayMode& SimDisplayMode() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimMode& mode = *new SimMode;
  return mode;
}

}  // namespace platform
