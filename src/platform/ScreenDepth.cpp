#include "platform/ScreenDepth.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/Environment.h"

namespace platform {

namespace {

class QtBackend : public ScreenDepth {
public:
  int bitsPerPixel() override {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 0;
  }
};

}  // namespace

SimScreenDepthBackend& SimScreenDepth() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimScreenDepthBackend& depth = *new SimScreenDepthBackend;
  return depth;
}

ScreenDepth& QtScreenDepth() {
  static QtBackend depth;
  return depth;
}

ScreenDepth& ScreenDepth::current() {
  if (SimulationEnabled()) return SimScreenDepth();
  return QtScreenDepth();
}

}  // namespace platform
