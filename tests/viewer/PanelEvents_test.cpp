// The panel's controls reach their handlers: mouse and key events sent to the controls as the
// user makes them.
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolButton>

#include "PanelFixture.h"
#include "controls/Exgrad.h"
#include "controls/RxLabel.h"
#include "controls/RxSpeedButton.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "gui/CustomEdit.h"
#include "gui/UpDown.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
  QMouseEvent e(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void click(QWidget* w, QPoint at = QPoint(3, 3)) {
  mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  mouse(w, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void key(QWidget* w, int qtKey) {
  QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
  QApplication::sendEvent(w, &release);
}

TEST_F(PanelTest, ClicksReachTheChannelControls) {
  startWithChannels(4);
  click(Form1->Image3);
  EXPECT_EQ(CurChannel, 1) << "channel-up button";
  click(Form1->Image4);
  EXPECT_EQ(CurChannel, 0) << "channel-down button";
  Form1->UpDown1->Press(gui::btPrev);
  EXPECT_EQ(CurChannel, 3) << "up-down control";
  click(Form1->RxLabel4);
  EXPECT_EQ(ChannelTable[3].System, 7) << "SECAM + 1";
  click(Form1->RxLabel6);
  EXPECT_EQ(CurChannel, kAvRow) << "input label";
  click(Form1->RxSpeedButton9);
  EXPECT_EQ(CurChannel, kAvRow);
}

TEST_F(PanelTest, ManualEntryByDoubleClickAndEnter) {
  startWithChannels(1);
  mouse(Form1->RxSpinEdit1, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton,
        Qt::LeftButton);
  mouse(Form1->RxSpinEdit1, QEvent::MouseButtonDblClick, QPoint(5, 5), Qt::LeftButton,
        Qt::LeftButton);
  ASSERT_FALSE(Form1->RxSpinEdit1->isVisibleTo(Form1));
  Form1->Edit3->SetText("105.5");
  key(Form1->Edit3, Qt::Key_Return);
  EXPECT_TRUE(Form1->RxSpinEdit1->isVisibleTo(Form1));
  EXPECT_FLOAT_EQ(ChannelTable[0].Freq, 105.5f);
}

TEST_F(PanelTest, ClicksReachTheOptionsTitleAndTools) {
  startWithChannels(1);
  click(Form1->Image15);
  EXPECT_FALSE(Form1->CheckBox3->isChecked()) << "sound glyph";
  click(Form1->Label4);
  EXPECT_TRUE(Form1->CheckBox3->isChecked()) << "sound label";

  Form1->move(50, 60);
  mouse(Form1->Label1, QEvent::MouseButtonPress, QPoint(4, 4), Qt::LeftButton, Qt::LeftButton);
  mouse(Form1->Label1, QEvent::MouseMove, QPoint(14, 9), Qt::NoButton, Qt::LeftButton);
  mouse(Form1->Label1, QEvent::MouseButtonRelease, QPoint(14, 9), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Form1->pos(), QPoint(60, 65)) << "dragged by the title";

  click(Form1->Image14);
  EXPECT_FALSE(RolledUp);
  click(Form1->Image14);
  EXPECT_TRUE(RolledUp);

  Settings.FullScreen = 2;
  Form1->SpeedButton1->click();
  EXPECT_EQ(Settings.FullScreen, 3);

  // A key on a slider: the slider steps, and the focus moves to the sink.
  Form1->RxSlider2->SetValue(50);
  Form1->RxSlider2->setFocus();
  key(Form1->RxSlider2, Qt::Key_Up);
  EXPECT_EQ(Form1->focusWidget(), Form1->ScrollBarX);
  EXPECT_TRUE(Form1->ScrollBarX->isVisibleTo(Form1)) << "a focus sink must be shown";
  EXPECT_FALSE(Form1->ScrollBarX->geometry().intersects(Form1->rect()));
}

}  // namespace
}  // namespace viewer_test
