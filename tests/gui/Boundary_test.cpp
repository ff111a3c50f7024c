#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

#include "gui/Exceptions.h"
#include "gui/VyxApplication.h"
#include "platform/MessageBox.h"

using namespace gui;

namespace {

void handle(const std::function<void()>& thrower) {
  try {
    thrower();
  } catch (...) {
    VyxApplication::HandleException();
  }
}

}  // namespace

TEST(ExceptionBoundary, MessagesGetAFullStopAsTheClassLibraryAddsIt) {
  struct Case {
    const char* message;
    const char* shown;
  } cases[] = {
      {"Stream read error", "Stream read error."}, {"Done.", "Done."},
      {"List index out of bounds (5)", "List index out of bounds (5)"},
      {"Stop!", "Stop!"}, {"", ""}, {"\xC8\xEC\xFF", "\xC8\xEC\xFF."},
  };
  for (const Case& c : cases) EXPECT_EQ(VyxApplication::ExceptionText(c.message), c.shown);
}

TEST(ExceptionBoundary, ShowsEveryKindOfExceptionButAbort) {
  platform::RecordingMessageBox boxes;
  VyxApplication::SetTitle("Vyxu");
  handle([] { throw EReadError(); });
  handle([] { Abort(); });
  handle([] { throw std::runtime_error("disk full"); });
  handle([] { throw 42; });
  ASSERT_EQ(boxes.shown().size(), 3u);
  EXPECT_EQ(boxes.shown()[0].text, "Stream read error.");
  EXPECT_EQ(boxes.shown()[0].caption, "Vyxu");
  EXPECT_EQ(boxes.shown()[0].flags, unsigned(platform::kMbOk | platform::kMbIconStop));
  EXPECT_EQ(boxes.shown()[1].text, "disk full.");
  EXPECT_EQ(boxes.shown()[2].text, "Unknown exception.");
}

// The application object of a test program is the plain one of its main, so the boundary is
// checked in a child process of this program that builds a VyxApplication before main runs.
namespace {

class Thrower : public QWidget {
protected:
  void mousePressEvent(QMouseEvent*) override { throw EInvalidOperation("Bad click"); }
};

class Counter : public QObject {
public:
  int events = 0;
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) {
      ++events;
      return true;
    }
    return QObject::event(e);
  }
};

[[noreturn]] void runBoundaryChild() {
  int argc = 1;
  char name[] = "boundary";
  char* argv[] = {name, nullptr};
  VyxApplication app(argc, argv);
  platform::RecordingMessageBox boxes;
  VyxApplication::SetTitle("Vyxu");
  Thrower thrower;
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  bool delivered = QCoreApplication::sendEvent(&thrower, &press);
  QTimer::singleShot(0, [] { throw EReadError(); });
  Counter counter;
  QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
  for (int i = 0; i < 10 && counter.events == 0; ++i) QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  std::printf("delivered=%d events=%d boxes=%zu\n", delivered, counter.events, boxes.shown().size());
  for (const auto& box : boxes.shown()) {
    std::printf("box=%s|%s|%u\n", box.text.c_str(), box.caption.c_str(), box.flags);
  }
  std::fflush(stdout);
  _exit(0);
}

// Runs before main when this program is started as the boundary's child.
const bool kChild = [] {
  if (qEnvironmentVariableIsSet("VYX_GUI_BOUNDARY_CHILD")) runBoundaryChild();
  return false;
}();

}  // namespace

TEST(ExceptionBoundary, AThrowingEventHandlerShowsABoxAndTheProgramGoesOn) {
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("VYX_GUI_BOUNDARY_CHILD", "1");
  env.insert("QT_QPA_PLATFORM", "offscreen");
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), {});
  ASSERT_TRUE(child.waitForFinished(60000));
  EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
  QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
  EXPECT_EQ(out.toStdString(),
            "delivered=0 events=1 boxes=2\n"
            "box=Bad click.|Vyxu|16\n"
            "box=Stream read error.|Vyxu|16\n");
}
