#include "platform/CursorVisibilityQt.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform {

namespace {

bool haveGuiApplication() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

class QtCursor : public CursorVisibility {
public:
  int showCursor(bool show) override {
    count_ += show ? 1 : -1;
    if (count_ < 0 && !blanked_ && haveGuiApplication()) {
      QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
      blanked_ = true;
    } else if (count_ >= 0 && blanked_) {
      // Only our own override is taken away, even if the application has gone meanwhile.
      if (haveGuiApplication()) QGuiApplication::restoreOverrideCursor();
      blanked_ = false;
    }
    return count_;
  }

private:
  int count_ = 0;
  bool blanked_ = false;
};

}  // namespace

CursorVisibility& QtCursorVisibility() {
  static QtCursor cursor;
  return cursor;
}

}  // namespace platform
