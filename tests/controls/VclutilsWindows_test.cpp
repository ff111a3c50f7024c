// The drawing utilities' window functions over Qt widgets: the parent's image under a control,
// dropping posted events, switching to a window, centring and the wait cursor.
#include "controls/Vclutils.h"

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QScreen>

#include <gtest/gtest.h>

#include <memory>

#include "controls/VclutilsPixels.h"

namespace {

using namespace vclutils;
using namespace vclutils_test;

// A widget in one colour (or two halves) that notes whether it painted as a copy.
class ColourWidget : public QWidget {
public:
  ColourWidget(QWidget* parent, QColor left, QColor right = QColor())
      : QWidget(parent), left_(left), right_(right.isValid() ? right : left) {}

  bool paintedAsCopy = false;
  int paints = 0;

protected:
  void paintEvent(QPaintEvent*) override {
    ++paints;
    paintedAsCopy = IsPaintingCopy(this);
    QPainter painter(this);
    painter.fillRect(0, 0, width() / 2, height(), left_);
    painter.fillRect(width() / 2, 0, width() - width() / 2, height(), right_);
  }

private:
  QColor left_, right_;
};

// A parent 20 x 10, red on the left and blue on the right, with a control at (2, 1) of 10 x 6,
// a green sibling below it at (4, 2), a hidden fuchsia one below it at (0, 0) and a yellow one
// above it at (6, 3).
class VclutilsParentImage : public ::testing::Test {
protected:
  void SetUp() override {
    parent_ = std::make_unique<ColourWidget>(nullptr, Qt::red, Qt::blue);
    parent_->setGeometry(0, 0, 20, 10);
    hidden_ = new ColourWidget(parent_.get(), Qt::magenta);
    hidden_->setGeometry(0, 0, 3, 3);
    hidden_->hide();
    below_ = new ColourWidget(parent_.get(), Qt::green);
    below_->setGeometry(4, 2, 4, 4);
    control_ = new QWidget(parent_.get());
    control_->setGeometry(2, 1, 10, 6);
    above_ = new ColourWidget(parent_.get(), Qt::yellow);
    above_->setGeometry(6, 3, 4, 4);
    Fill(dest_, 10, 6, 'W');
  }

  std::unique_ptr<ColourWidget> parent_;
  ColourWidget* hidden_ = nullptr;
  ColourWidget* below_ = nullptr;
  QWidget* control_ = nullptr;
  ColourWidget* above_ = nullptr;
  TBitmap dest_;
};

TEST_F(VclutilsParentImage, ParentAndSiblingsBelowTheControl) {
  CopyParentImage(control_, dest_.Canvas());
  EXPECT_EQ(Picture(dest_), (Rows{"RRRRRRRRBB", "RRGGGGRRBB", "RRGGGGRRBB", "RRGGGGRRBB",
                                  "RRGGGGRRBB", "RRRRRRRRBB"}));
  EXPECT_EQ(above_->paints, 0);
  EXPECT_EQ(hidden_->paints, 0);
}

TEST_F(VclutilsParentImage, PaintersKnowTheyPaintACopy) {
  CopyParentImage(control_, dest_.Canvas());
  EXPECT_TRUE(parent_->paintedAsCopy);
  EXPECT_TRUE(below_->paintedAsCopy);
  EXPECT_FALSE(IsPaintingCopy(parent_.get())) << "the mark is cleared afterwards";
  EXPECT_FALSE(IsPaintingCopy(below_));
}

TEST_F(VclutilsParentImage, FilterChoosesTheSiblings) {
  CopyParentImage(control_, dest_.Canvas(), [](const QWidget*) { return false; });
  EXPECT_EQ(Picture(dest_)[2], "RRRRRRRRBB");
}

TEST_F(VclutilsParentImage, CanvasOriginAndClipApply) {
  dest_.Canvas().SetOrigin({1, 0});
  dest_.Canvas().IntersectClipRect(gui::Rect(0, 0, 5, 6));
  CopyParentImage(control_, dest_.Canvas());
  EXPECT_EQ(Picture(dest_)[1], "WRRGGGWWWW");
  EXPECT_EQ(dest_.Canvas().Origin(), (gui::TPoint{1, 0})) << "the canvas's state is kept";
}

TEST_F(VclutilsParentImage, NothingWithoutControlOrParent) {
  CopyParentImage(nullptr, dest_.Canvas());
  QWidget orphan;
  CopyParentImage(&orphan, dest_.Canvas());
  EXPECT_EQ(Picture(dest_)[0], "WWWWWWWWWW");
}

// A control that copies its parent's image while it paints, as a transparent button does.
class SeeThroughWidget : public QWidget {
public:
  using QWidget::QWidget;
  TBitmap image;

protected:
  void paintEvent(QPaintEvent*) override {
    Fill(image, width(), height(), 'W');
    CopyParentImage(this, image.Canvas());
  }
};

TEST_F(VclutilsParentImage, WorksFromInsideTheControlsOwnPaint) {
  auto* control = new SeeThroughWidget(parent_.get());
  control->setGeometry(8, 1, 4, 2);
  control->grab();
  EXPECT_EQ(Picture(control->image), (Rows{"RRBB", "RRBB"}));
}

TEST(VclutilsParentBackground, ParentWithoutPaintingShowsItsErasedBackground) {
  QWidget parent;
  QPalette palette = parent.palette();
  palette.setColor(QPalette::Window, Qt::magenta);
  parent.setPalette(palette);
  parent.setGeometry(0, 0, 8, 8);
  auto* control = new QWidget(&parent);
  control->setGeometry(2, 2, 3, 3);
  TBitmap dest;
  Fill(dest, 3, 3, 'W');
  CopyParentImage(control, dest.Canvas());
  EXPECT_EQ(Picture(dest), (Rows{"MMM", "MMM", "MMM"}));
}

// --- posted events ---------------------------------------------------------------------------------

class EventCounter : public QObject {
public:
  static constexpr QEvent::Type kPress = QEvent::Type(QEvent::User + 1);
  static constexpr QEvent::Type kOther = QEvent::Type(QEvent::User + 2);

  int presses = 0, others = 0, quits = 0;

  void post(QEvent::Type type) { QCoreApplication::postEvent(this, new QEvent(type)); }

protected:
  bool event(QEvent* e) override {
    if (e->type() == kPress) ++presses;
    else if (e->type() == kOther) ++others;
    else if (e->type() == QEvent::Quit) ++quits;
    return QObject::event(e);
  }
};

TEST(VclutilsKillMessage, DropsPendingEventsOfOneTypeForOneReceiver) {
  EventCounter target, bystander;
  target.post(EventCounter::kPress);
  target.post(EventCounter::kOther);
  bystander.post(EventCounter::kPress);
  KillMessage(&target, EventCounter::kPress);
  QCoreApplication::processEvents();
  EXPECT_EQ(target.presses, 0);
  EXPECT_EQ(target.others, 1);
  EXPECT_EQ(bystander.presses, 1);
}

TEST(VclutilsKillMessage, NoReceiverMeansAnyReceiver) {
  EventCounter first, second;
  first.post(EventCounter::kPress);
  second.post(EventCounter::kPress);
  KillMessage(nullptr, EventCounter::kPress);
  QCoreApplication::processEvents();
  EXPECT_EQ(first.presses + second.presses, 0);
}

TEST(VclutilsKillMessage, AQuitIsNeverDropped) {
  EventCounter target;
  target.post(QEvent::Quit);
  KillMessage(&target, QEvent::Quit);
  QCoreApplication::processEvents();
  EXPECT_EQ(target.quits, 1);
}

// --- switching and placing windows -----------------------------------------------------------------

TEST(VclutilsSwitchToWindow, RestoresOnlyWhatIsNotMaximized) {
  struct Case {
    const char* name;
    Qt::WindowState shown;
    bool enabled, restore;
    bool minimizedAfter, maximizedAfter, focused;
  } cases[] = {
      {"a minimized window is restored and focused", Qt::WindowMinimized, true, true, false, false,
       true},
      {"without restore it stays minimized", Qt::WindowMinimized, true, false, true, false, false},
      {"a disabled window is left alone", Qt::WindowMinimized, false, true, true, false, false},
      {"a maximized window stays maximized and gets the focus", Qt::WindowMaximized, true, true,
       false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget window;
    window.setEnabled(c.enabled);
    window.setWindowState(c.shown);
    window.show();
    SwitchToWindow(&window, c.restore);
    EXPECT_EQ(bool(window.windowState() & Qt::WindowMinimized), c.minimizedAfter);
    EXPECT_EQ(bool(window.windowState() & Qt::WindowMaximized), c.maximizedAfter);
    EXPECT_EQ(window.focusWidget() == &window, c.focused);
  }
}

TEST(VclutilsCenterControl, CentresInTheParentAndNeverGoesNegative) {
  QWidget parent;
  parent.resize(100, 50);
  QWidget child(&parent);
  child.resize(20, 10);
  CenterControl(&child);
  EXPECT_EQ(child.pos(), QPoint(40, 20));
  child.resize(120, 10);
  CenterControl(&child);
  EXPECT_EQ(child.pos(), QPoint(0, 20));
}

TEST(VclutilsCenterWindow, CentresOnTheScreen) {
  QWidget window;
  window.resize(100, 50);
  CenterWindow(&window);
  QRect screen = window.screen()->geometry();
  EXPECT_EQ(window.pos(), QPoint(screen.x() + (screen.width() - 100) / 2,
                                 screen.y() + (screen.height() - 50) / 2));
  gui::TRect work = ScreenWorkArea();
  EXPECT_GT(WidthOf(work), 0);
}

// --- wait cursor -----------------------------------------------------------------------------------

TEST(VclutilsWaitCursor, NestedCallsShowItOnce) {
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  StopWait();  // without StartWait: nothing
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  StartWait();
  StartWait();
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), WaitCursor);
  StopWait();
  EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
  StopWait();
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(VclutilsDelay, KeepsEventsFlowing) {
  EventCounter target;
  target.post(EventCounter::kOther);
  Delay(5);
  EXPECT_EQ(target.others, 1);
}

}  // namespace

namespace {

TEST(VclutilsForeground, TrueWhileOneOfOurWindowsIsActive) {
  auto window = std::make_unique<QWidget>();
  window->show();
  vclutils::ActivateWindow(window.get());
  QCoreApplication::processEvents();
  EXPECT_TRUE(vclutils::IsForegroundTask());
  window.reset();
  QCoreApplication::processEvents();
  EXPECT_FALSE(vclutils::IsForegroundTask());
}

}  // namespace
