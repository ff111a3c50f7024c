#include "platform/CursorVisibilityQt.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>

using namespace platform;

namespace {

bool blank() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor && cursor->shape() == Qt::BlankCursor;
}

// The real backend's count lives as long as the program, so the case starts from wherever it is.
TEST(QtCursorOverride, TheCursorIsBlankExactlyWhileTheCountIsBelowZero) {
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  int start = QtCursorVisibility().showCursor(true) - 1;
  QtCursorVisibility().showCursor(false);
  ASSERT_GE(start, 0) << "an earlier test left the cursor hidden";
  // From count 0: hide, hide, show, show, show, hide.
  const struct {
    bool show;
    bool blank;
  } steps[] = {{false, true}, {false, true}, {true, true},
               {true, false}, {true, false}, {false, false}};
  int remaining = start;
  while (remaining-- > 0) QtCursorVisibility().showCursor(false);
  for (const auto& step : steps) {
    QtCursorVisibility().showCursor(step.show);
    EXPECT_EQ(blank(), step.blank);
  }
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "one override, taken away once";
  while (start-- > 0) QtCursorVisibility().showCursor(true);
}

}  // namespace
