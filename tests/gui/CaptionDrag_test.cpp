#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>

#include <string>
#include <vector>

#include "gui/CaptionDrag.h"
#include "gui/Colors.h"
#include "support/qt/WidgetInput.h"

using namespace gui;
using testing_support::MoveTo;
using testing_support::PressAt;
using testing_support::ReleaseAt;
using testing_support::SendMouse;

namespace {

// A frameless window with a caption bar and a close box, wired as the program's windows are;
// every handler call is logged.
class CaptionWindow : public QWidget {
public:
  CaptionWindow() {
    bar->setGeometry(0, 0, 100, 18);
    closeBox->setGeometry(100, 0, 18, 18);
    bar->installEventFilter(this);
    closeBox->installEventFilter(this);
    other->installEventFilter(this);
    move(200, 100);
  }
  QLabel* bar = new QLabel("Caption", this);
  QLabel* closeBox = new QLabel("X", this);
  QLabel* other = new QLabel("other", this);
  std::vector<std::string> log;
  std::vector<bool> taken;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    bool took = RouteCaptionMouse(watched, event, bar, closeBox,
                                  {[this](int x, int y) { down(x, y); },
                                   [this](int x, int y) { drag_.move({x, y}); },
                                   [this] { add("up"); }, [this] { add("close"); }});
    if (dynamic_cast<QMouseEvent*>(event)) taken.push_back(took);
    return took;
  }

private:
  void down(int x, int y) {
    add("down " + std::to_string(x) + "," + std::to_string(y));
    drag_.press({x, y}, {bar, closeBox});
  }
  void add(const std::string& s) {
    log.push_back(s);
    if (s == "up") drag_.release();
  }
  CaptionDrag drag_{*this};
};

}  // namespace

TEST(CaptionDrag, ThePressPointFollowsThePointerUntilTheRelease) {
  CaptionWindow w;
  for (QLabel* panel : {w.bar, w.closeBox}) {
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, ToQColor(clInactiveCaption));
    panel->setPalette(p);
    panel->setAutoFillBackground(false);
  }
  MoveTo(w.bar, {30, 9});
  EXPECT_EQ(w.pos(), QPoint(200, 100)) << "no drag before a press";
  PressAt(w.bar, {5, 6});
  for (QLabel* panel : {w.bar, w.closeBox}) {
    EXPECT_EQ(panel->palette().color(QPalette::Window), ToQColor(clActiveCaption));
    EXPECT_TRUE(panel->autoFillBackground());
  }
  MoveTo(w.bar, {25, 16});
  EXPECT_EQ(w.pos(), QPoint(220, 110));
  MoveTo(w.bar, {2, 3});  // the bar has moved with the window
  EXPECT_EQ(w.pos(), QPoint(217, 107));
  ReleaseAt(w.bar, {2, 3});
  MoveTo(w.bar, {40, 40});
  EXPECT_EQ(w.pos(), QPoint(217, 107)) << "the drag has ended";
  EXPECT_EQ(w.log, (std::vector<std::string>{"down 5,6", "up"}));
}

TEST(CaptionDrag, RoutesTheBarsAndTheCloseBoxsMouseEvents) {
  struct Case {
    const char* what;
    bool onBar;  // else the close box
    QEvent::Type type;
    QPoint at;
    const char* logged;  // "" for none
    bool taken;
  } cases[] = {
      {"press on the bar", true, QEvent::MouseButtonPress, {4, 5}, "down 4,5", true},
      {"release on the bar", true, QEvent::MouseButtonRelease, {4, 5}, "up", true},
      {"release off the bar still ends the drag", true, QEvent::MouseButtonRelease, {-9, 40},
       "up", true},
      {"double click on the bar", true, QEvent::MouseButtonDblClick, {4, 5}, "", false},
      {"press on the close box", false, QEvent::MouseButtonPress, {4, 5}, "", false},
      {"move on the close box", false, QEvent::MouseMove, {4, 5}, "", false},
      {"release inside the close box", false, QEvent::MouseButtonRelease, {17, 17}, "close",
       true},
      {"release outside the close box", false, QEvent::MouseButtonRelease, {18, 5}, "", true},
  };
  for (const Case& c : cases) {
    CaptionWindow w;
    SendMouse(c.onBar ? w.bar : w.closeBox, c.type, Qt::LeftButton, c.at, Qt::LeftButton);
    EXPECT_EQ(w.log, std::string(c.logged).empty() ? std::vector<std::string>{}
                                                     : std::vector<std::string>{c.logged})
        << c.what;
    EXPECT_EQ(w.taken, std::vector<bool>{c.taken}) << c.what;
  }
  CaptionWindow w;
  PressAt(w.other, {4, 5});
  ReleaseAt(w.other, {4, 5});
  EXPECT_TRUE(w.log.empty()) << "another widget's events are not the caption's";
  EXPECT_EQ(w.taken, (std::vector<bool>{false, false}));
}
