// The screen's colour depth: bits per pixel (times planes) of the screen, which picture code
// uses to pick the icon image or the pixel format that suits the screen best.
#pragma once

namespace platform {

class ScreenDepth {
public:
  virtual ~ScreenDepth() = default;
  // 1, 4, 8, 16, 24 or 32; 0 when there is no screen to ask.
  virtual int bitsPerPixel() = 0;

  // The simulated screen under the simulation switch, else the primary screen.
  static ScreenDepth& current();
};

// The simulated screen's depth: 32 bits until a test sets another.
class SimScreenDepthBackend : public ScreenDepth {
public:
  int bitsPerPixel() override { return bits_; }
  void setBitsPerPixel(int bits) { bits_ = bits; }
  void reset() { bits_ = 32; }

private:
  int bits_ = 32;
};

SimScreenDepthBackend& SimScreenDepth();
// The primary screen's depth (QScreen); 0 without a QGuiApplication or a screen.
ScreenDepth& QtScreenDepth();

}  // namespace platform
