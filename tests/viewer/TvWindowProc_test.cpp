// The TV window's mouse handling in the running program: drags that move or resize the window
// (each over a rectangle and cursor positions the test chooses), the rubber band, the sizing
// cursors, the wheel, double clicks, and the ways a drag ends.
#include <QApplication>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWheelEvent>

#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "controls/Rxslider.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "recording/Capt.h"
#include "sim/SimVideoDevices.h"
#include "viewer/OsdWindow.h"
#include "viewer/TvScreen.h"
#include "viewer/TvWindowProc.h"
#include "viewer/TvWindowSetup.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

// The stored TV window of a first start: 394 x 294 at (184, 22); right 578, bottom 316.
const QRect kWindow(184, 22, 394, 294);
const Channel kSpareStation{"Spare", 55.25, 6};

class TvWindowProcTest : public ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    writeSetting("FullScreen", "NO_CHANGES");
    writeChannels({kOneStation, kFiveStation, kSpareStation}, 1);
    ASSERT_EQ(start(), 0);
    ASSERT_TRUE(TvScreenWindow);
  }

  static TvScreen* tv() { return TvScreenWindow.data(); }
  static void send(QEvent& event) { QApplication::sendEvent(tv(), &event); }
  static void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button,
                    Qt::MouseButtons held) {
    const QPointF local = at - tv()->geometry().topLeft();
    QMouseEvent event(type, local, QPointF(at), button, held, Qt::NoModifier);
    send(event);
  }
  static void press(QPoint at, Qt::MouseButton b = Qt::LeftButton) {
    mouse(QEvent::MouseButtonPress, at, b, b);
  }
  static void moveTo(QPoint at, Qt::MouseButtons held = Qt::LeftButton) {
    mouse(QEvent::MouseMove, at, Qt::NoButton, held);
  }
  static void release(QPoint at, Qt::MouseButton b = Qt::LeftButton) {
    mouse(QEvent::MouseButtonRelease, at, b, Qt::NoButton);
  }
  static void doubleClick(Qt::MouseButton b) {
    mouse(QEvent::MouseButtonDblClick, kWindow.center(), b, b);
  }
  static void wheel(QPoint delta, Qt::MouseButtons held = Qt::NoButton,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWheelEvent event(QPointF(10, 10), QPointF(kWindow.topLeft() + QPoint(10, 10)), QPoint(),
                      delta, held, modifiers, Qt::NoScrollPhase, false);
    send(event);
  }
  // A new TV window of `style` at `rect`; the setting holds `settingStyle` afterwards.
  static void makeWindow(uint32_t style, const QRect& rect, uint32_t settingStyle) {
    Settings.WindowStyle = style;
    CreateTvWindow();
    Settings.WindowStyle = settingStyle;
    tv()->setGeometry(rect);
    Settings.TVsizeY = rect.height();
  }
  static const QRubberBand* band() { return TvWindowProc::Of(tv())->band(); }
  static bool bandShown() { return band() && band()->isVisible(); }
};

constexpr uint32_t kBare = kDefaultTvWindowStyle;
constexpr uint32_t kSizing = kDefaultTvWindowStyle | kWsThickFrame;

struct DragCase {
  const char* name;
  QRect window;
  uint32_t style;         // the window's own style
  uint32_t settingStyle;  // WindowStyle while the drag runs
  bool keepAspect;
  int side;
  QPoint press;
  QPoint release;
  QRect band;    // the outline shown before the release; empty for a move
  QRect result;
};

const DragCase kDrags[] = {
    // The eight edges and corners, 5 pixels inside, dragged by (30, 20).
    {"bottom right", kWindow, kBare, kBare, false, 0, {573, 311}, {603, 331},
     {184, 22, 419, 309}, {184, 22, 419, 309}},
    {"top right", kWindow, kBare, kBare, false, 0, {573, 27}, {603, 47},
     {184, 47, 419, 269}, {184, 47, 419, 269}},
    {"bottom left", kWindow, kBare, kBare, false, 0, {189, 311}, {219, 331},
     {219, 22, 359, 309}, {219, 22, 359, 309}},
    {"top left", kWindow, kBare, kBare, false, 0, {189, 27}, {219, 47},
     {219, 47, 359, 269}, {219, 47, 359, 269}},
    {"bottom", kWindow, kBare, kBare, false, 0, {381, 311}, {411, 331},
     {184, 22, 394, 309}, {184, 22, 394, 309}},
    {"top", kWindow, kBare, kBare, false, 0, {381, 27}, {411, 47},
     {184, 47, 394, 269}, {184, 47, 394, 269}},
    {"right", kWindow, kBare, kBare, false, 0, {573, 169}, {603, 189},
     {184, 22, 419, 294}, {184, 22, 419, 294}},
    {"left", kWindow, kBare, kBare, false, 0, {189, 169}, {219, 189},
     {219, 22, 359, 294}, {219, 22, 359, 294}},
    // The rectangle follows the cursor, not the edge it was grabbed by.
    {"corner, 10 inside", kWindow, kBare, kBare, false, 0, {568, 306}, {668, 356},
     {184, 22, 484, 334}, {184, 22, 484, 334}},
    {"corner, 4:3 kept: the width follows", kWindow, kBare, kBare, true, 0, {568, 306},
     {668, 356}, {184, 22, 484, 334}, {184, 22, 445, 334}},
    {"right edge, 16:9 kept: the height follows", kWindow, kBare, kBare, true, 2, {568, 169},
     {668, 169}, {184, 22, 484, 294}, {184, 22, 484, 272}},
    {"left edge dragged past the right one", kWindow, kBare, kBare, false, 0, {189, 169},
     {778, 169}, {578, 22, 200, 294}, {578, 22, 200, 294}},
    {"shrunk to a dot", kWindow, kBare, kBare, false, 0, {573, 311}, {200, 40},
     {184, 22, 16, 18}, {184, 22, 112, 84}},
    {"shrunk to a dot, 16:9 kept", kWindow, kBare, kBare, true, 2, {573, 311}, {200, 40},
     {184, 22, 16, 18}, {184, 22, 149, 84}},
    {"left of the desktop's origin", {-300, 100, 394, 294}, kBare, kBare, false, 0, {89, 247},
     {189, 247}, {-300, 100, 489, 294}, {-300, 100, 489, 294}},
    {"the window's sizing frame resizes: a drag moves", kWindow, kSizing, kBare, false, 0,
     {573, 311}, {603, 331}, {}, {214, 42, 394, 294}},
    {"the window has no frame, whatever the setting", kWindow, kBare, kSizing, false, 0,
     {573, 311}, {603, 331}, {184, 22, 419, 309}, {184, 22, 419, 309}},
    {"from the middle", kWindow, kBare, kBare, false, 0, {381, 169}, {481, 219}, {},
     {284, 72, 394, 294}},
};

TEST_F(TvWindowProcTest, DragsMoveOrResize) {
  for (const DragCase& c : kDrags) {
    SCOPED_TRACE(c.name);
    makeWindow(c.style, c.window, c.settingStyle);
    Settings.KeepSideCorrelation = c.keepAspect;
    Settings.SideCorrelation = c.side;
    sim::VideoDevices().clearCaptureEvents();

    press(c.press);
    const bool resizes = !c.band.isNull();
    // The first move, a pixel on, decides where the drag started.
    const QPoint first = c.press + QPoint(1, 1);
    moveTo(first);
    if (!resizes) {
      EXPECT_EQ(tv()->geometry().topLeft(), c.window.topLeft() + QPoint(1, 1));
      EXPECT_EQ(QPoint(Settings.TVposX, Settings.TVposY), tv()->geometry().topLeft())
          << "the stored position follows every move";
    }
    moveTo(c.release);
    if (resizes) {
      EXPECT_EQ(tv()->geometry(), c.window) << "the window waits for the release";
      ASSERT_TRUE(bandShown());
      EXPECT_EQ(band()->geometry(), c.band);
    } else {
      EXPECT_FALSE(bandShown());
    }
    release(c.release);
    EXPECT_FALSE(bandShown());
    EXPECT_EQ(tv()->geometry(), c.result);
    EXPECT_EQ(QRect(Settings.TVposX, Settings.TVposY, Settings.TVsizeX, Settings.TVsizeY),
              c.result);
    const std::vector<sim::SimCaptureEvent> overlayAgain = {
        {sim::SimCaptureEvent::Kind::StreamEnd, 0}, {sim::SimCaptureEvent::Kind::Stream, 0, 0}};
    if (resizes)
      EXPECT_EQ(sim::VideoDevices().captureEvents(), overlayAgain) << "overlay off and on";
    else
      EXPECT_TRUE(sim::VideoDevices().captureEvents().empty());
  }
}

TEST_F(TvWindowProcTest, RubberBandOutlinesTheNewRectangle) {
  makeWindow(kBare, kWindow, kBare);
  struct Step {
    QPoint cursor;
    QRect band;
  };
  // Grabbed by the top left corner; the band runs from the bottom right corner to the cursor,
  // on either side of it.
  press({190, 30});
  for (const Step& s : {Step{{150, 10}, {150, 10, 428, 306}}, Step{{300, 200}, {300, 200, 278, 116}},
                        Step{{700, 400}, {578, 316, 122, 84}}}) {
    moveTo(s.cursor);
    ASSERT_TRUE(bandShown());
    EXPECT_EQ(band()->geometry(), s.band) << "cursor at " << s.cursor.x() << "," << s.cursor.y();
    EXPECT_EQ(QPoint(TvBandX, TvBandY), s.cursor);
  }
  release({700, 400});
  EXPECT_EQ(tv()->geometry(), QRect(578, 316, 122, 84));
}

TEST_F(TvWindowProcTest, CursorShowsWhereADragWouldResize) {
  makeWindow(kBare, kWindow, kBare);
  struct Spot {
    QPoint at;
    Qt::CursorShape shape;
  };
  const Spot spots[] = {{{190, 30}, Qt::SizeFDiagCursor}, {{570, 310}, Qt::SizeFDiagCursor},
                        {{570, 30}, Qt::SizeBDiagCursor}, {{190, 310}, Qt::SizeBDiagCursor},
                        {{190, 169}, Qt::SizeHorCursor},  {{570, 169}, Qt::SizeHorCursor},
                        {{381, 30}, Qt::SizeVerCursor},   {{381, 310}, Qt::SizeVerCursor},
                        {{381, 169}, Qt::ArrowCursor},    {{590, 169}, Qt::ArrowCursor}};
  for (const Spot& s : spots) {
    moveTo(s.at, Qt::NoButton);
    EXPECT_EQ(tv()->cursor().shape(), s.shape) << "at " << s.at.x() << "," << s.at.y();
  }

  makeWindow(kSizing, kWindow, kBare);
  moveTo({190, 30}, Qt::NoButton);
  EXPECT_EQ(tv()->cursor().shape(), Qt::ArrowCursor) << "the frame has cursors of its own";
}

TEST_F(TvWindowProcTest, WheelStepsTheChannelOrTheVolume) {
  struct Case {
    const char* name;
    QPoint delta;
    bool reverse;
    Qt::MouseButton held;
    Qt::KeyboardModifiers modifiers;
    int channel;  // from row 1
    int volumeStep;
  };
  const Case cases[] = {
      {"away", {0, 120}, false, Qt::NoButton, Qt::NoModifier, 2, 0},
      {"towards", {0, -120}, false, Qt::NoButton, Qt::NoModifier, 0, 0},
      {"away, reversed", {0, 120}, true, Qt::NoButton, Qt::NoModifier, 0, 0},
      {"away, right button held", {0, 120}, false, Qt::RightButton, Qt::NoModifier, 1, +1},
      {"towards, right button held", {0, -120}, false, Qt::RightButton, Qt::NoModifier, 1, -1},
      // Qt on X11 turns the wheel with Alt held into a sideways scroll.
      {"away, Alt held", {120, 0}, false, Qt::NoButton, Qt::AltModifier, 1, +1},
      {"sideways scroll", {120, 0}, false, Qt::NoButton, Qt::NoModifier, 1, 0},
      {"no turn at all", {0, 0}, false, Qt::NoButton, Qt::NoModifier, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CurChannel = 1;
    Form1->ReSet();
    Form1->RxSlider9->SetValue(30);
    Settings.IntellimouseReverse = c.reverse;
    if (c.held != Qt::NoButton) press(kWindow.center(), c.held);
    wheel(c.delta, c.held, c.modifiers);
    if (c.held != Qt::NoButton) release(kWindow.center(), c.held);
    EXPECT_EQ(CurChannel, c.channel);
    EXPECT_EQ(Form1->RxSlider9->Value(), 30 + c.volumeStep);
  }
}

TEST_F(TvWindowProcTest, DoubleClicksSwitchFullScreenAndRestoreTheAspect) {
  makeWindow(kBare, QRect(30, 40, 400, 100), kBare);
  Settings.SideCorrelation = 0;
  doubleClick(Qt::RightButton);
  EXPECT_EQ(tv()->geometry(), QRect(30, 40, 400, 300)) << "stored and 4:3 again";

  doubleClick(Qt::LeftButton);
  EXPECT_TRUE(FullScreenOn);
  tv()->setGeometry(30, 40, 400, 100);  // as the window's normal rectangle sits meanwhile
  doubleClick(Qt::RightButton);
  EXPECT_EQ(Settings.TVsizeY, 300) << "no aspect in full screen";
  doubleClick(Qt::LeftButton);
  EXPECT_FALSE(FullScreenOn);
}

TEST_F(TvWindowProcTest, EverythingIsIgnoredDuringAnAviCapture) {
  makeWindow(kBare, kWindow, kBare);
  AviCaptureRunning = true;
  Form1->RxSlider9->SetValue(30);
  press({381, 169});
  moveTo({481, 219});
  release({481, 219});
  press({573, 311});
  moveTo({603, 331});
  release({603, 331});
  wheel({0, 120});
  press(kWindow.center(), Qt::RightButton);
  wheel({0, 120}, Qt::RightButton);
  doubleClick(Qt::LeftButton);
  EXPECT_EQ(tv()->geometry(), kWindow);
  EXPECT_EQ(CurChannel, 1);
  EXPECT_EQ(Form1->RxSlider9->Value(), 30);
  EXPECT_FALSE(FullScreenOn);
  EXPECT_FALSE(TvLeftDown || TvRightDown);
}

TEST_F(TvWindowProcTest, DragEndsWhenTheButtonOrThePointerIsGone) {
  makeWindow(kBare, kWindow, kBare);
  // The release went to another window: the next move comes without a button.
  press({381, 169});
  moveTo({391, 179});
  moveTo({401, 189}, Qt::NoButton);
  EXPECT_FALSE(TvLeftDown);
  moveTo({451, 239}, Qt::LeftButton);
  EXPECT_EQ(tv()->geometry(), kWindow.translated(10, 10)) << "no drag without a press";

  // The window loses the pointer during a resize: the band goes, the last rectangle applies.
  makeWindow(kBare, kWindow, kBare);
  press({573, 311});
  moveTo({603, 331});
  QEvent leave(QEvent::Leave);
  send(leave);
  EXPECT_FALSE(TvLeftDown);
  EXPECT_FALSE(bandShown());
  EXPECT_EQ(tv()->geometry(), QRect(184, 22, 419, 309));
  moveTo({700, 400}, Qt::LeftButton);
  EXPECT_EQ(tv()->geometry(), QRect(184, 22, 419, 309));

  // The right button released elsewhere no longer turns the wheel into a volume control.
  press(kWindow.center(), Qt::RightButton);
  send(leave);
  EXPECT_FALSE(TvRightDown);
}

TEST_F(TvWindowProcTest, ClickWithoutMoveKeepsTheWindow) {
  makeWindow(kBare, kWindow, kBare);
  press({573, 311});
  moveTo({603, 331});
  release({603, 331});
  ASSERT_EQ(tv()->geometry(), QRect(184, 22, 419, 309));
  tv()->setGeometry(50, 60, 300, 225);  // placed by something else, such as Set34
  press({340, 275});
  release({340, 275});
  EXPECT_EQ(tv()->geometry(), QRect(50, 60, 300, 225));
}

TEST_F(TvWindowProcTest, FirstMoveDecidesBetweenMovingAndResizing) {
  makeWindow(kBare, kWindow, kBare);
  press({381, 169});
  moveTo({391, 169});
  // The desktop held the window back: the cursor now lies on its right edge.
  tv()->setGeometry(kWindow);
  moveTo({570, 169});
  EXPECT_FALSE(bandShown());
  EXPECT_EQ(tv()->geometry(), kWindow.translated(189, 0));
  release({570, 169});
  EXPECT_EQ(tv()->geometry().size(), kWindow.size());
}

TEST_F(TvWindowProcTest, OsdWindowsLetTheMouseThrough) {
  ASSERT_TRUE(OsdChannelWindow && OsdValueWindow);
  const QPoint onText = OsdChannelWindow->geometry().center();
  EXPECT_EQ(tv()->childAt(onText), nullptr) << "a press there reaches the TV window";
}

}  // namespace
}  // namespace viewer_test
