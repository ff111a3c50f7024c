// The panel's options (glyphs, labels and the hidden boxes behind them), the title bar and its
// images.
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QHelpEvent>
#include <QScrollBar>
#include <QToolButton>
#include <QToolTip>

#include <set>

#include "PanelFixture.h"
#include "controls/Exgrad.h"
#include "controls/Rxshell.h"
#include "controls/Rxslider.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "core/TvWindow.h"
#include "sim/Bt848Card.h"
#include "sim/SimPicture.h"
#include "viewer/LayoutHelpers.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

// Whether resting the mouse on the control shows its hint.
bool tipShows(QWidget* control) {
  QToolTip::hideText();
  if (control->toolTip().isEmpty()) control->setToolTip("hint");
  QHelpEvent event(QEvent::ToolTip, QPoint(1, 1), control->mapToGlobal(QPoint(1, 1)));
  QApplication::sendEvent(control, &event);
  const bool shown = QToolTip::isVisible();
  QToolTip::hideText();
  return shown;
}

TEST_F(PanelTest, GlyphsAndLabelsToggleTheirOptions) {
  startWithChannels(1);
  struct Option {
    QCheckBox* TForm1::*box;
    gui::TImage* TForm1::*glyph;
    TLabel* TForm1::*label;
    void (TForm1::*click)();
  };
  const Option options[] = {
      {&TForm1::CheckBox3, &TForm1::Image15, &TForm1::Label4, &TForm1::Image15Click},
      {&TForm1::CheckBox7, &TForm1::Image16, &TForm1::Label5, &TForm1::Image16Click},
      {&TForm1::CheckBox8, &TForm1::Image17, &TForm1::Label6, &TForm1::Image17Click},
      {&TForm1::CheckBox4, &TForm1::Image18, &TForm1::Label7, &TForm1::Image18Click},
      {&TForm1::CheckBox5, &TForm1::Image19, &TForm1::Label8, &TForm1::Image19Click},
      {&TForm1::CheckBox9, &TForm1::Image20, &TForm1::Label9, &TForm1::Image20Click}};
  const QImage on = pictureOf(Form1->ImageC);
  const QImage off = pictureOf(Form1->ImageN);
  ASSERT_NE(on, off);
  for (const Option& o : options) {
    QCheckBox* box = Form1->*o.box;
    const bool before = box->isChecked();
    EXPECT_EQ(pictureOf(Form1->*o.glyph), before ? on : off) << box->objectName().toStdString();
    (Form1->*o.click)();
    EXPECT_NE(box->isChecked(), before);
    EXPECT_EQ(pictureOf(Form1->*o.glyph), before ? off : on);
    (Form1->*o.label)->OnClick(Form1->*o.label);
    EXPECT_EQ(box->isChecked(), before) << "the label toggles it back";
    EXPECT_EQ(pictureOf(Form1->*o.glyph), before ? on : off);
  }
}

TEST_F(PanelTest, SoundOptionMutesAndUnmutes) {
  startWithChannels(1);
  Form1->Image15Click();
  EXPECT_TRUE(SoundMuted);
  EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Muted);
  Form1->ReSet();
  EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Muted) << "a channel change keeps it";
  Form1->Image15Click();
  EXPECT_FALSE(SoundMuted);
  EXPECT_NE(sim::Card().audioSource(), sim::AudioSource::Muted);
}

TEST_F(PanelTest, BlackAndWhiteAndKeepSoundOptions) {
  startWithChannels(1);
  Form1->Image16Click();
  EXPECT_EQ(sim::SimPicture::controlsOf(sim::Card()).saturationU, 0);
  Form1->Image16Click();
  EXPECT_GT(sim::SimPicture::controlsOf(sim::Card()).saturationU, 0);
  Form1->Image17Click();
  EXPECT_EQ(Settings.KeepSound, 1);
  Form1->Image17Click();
  EXPECT_EQ(Settings.KeepSound, 0);
}

TEST_F(PanelTest, HintsOptionSwitchesTheHintsOfItsControls) {
  startWithChannels(1);
  const std::vector<QWidget*> controls = Form1->HintControls();
  ASSERT_EQ(controls.size(), 29u);
  EXPECT_EQ(std::set<QWidget*>(controls.begin(), controls.end()).size(), 29u);
  for (QWidget* c : controls) EXPECT_TRUE(layout::ShowHint(c)) << c->objectName().toStdString();

  Form1->Image19Click();
  EXPECT_EQ(Settings.Hints, 0);
  EXPECT_EQ(pictureOf(Form1->Image19), pictureOf(Form1->ImageN));
  for (QWidget* c : controls) {
    EXPECT_FALSE(layout::ShowHint(c)) << c->objectName().toStdString();
    if (c->isVisible()) {
      EXPECT_FALSE(tipShows(c)) << c->objectName().toStdString();
    }
  }
  EXPECT_TRUE(tipShows(Form1->Label10)) << "a control outside the 29 keeps its hint";
  Form1->Image19Click();
  for (QWidget* c : controls) {
    if (c->isVisible()) {
      EXPECT_TRUE(tipShows(c)) << c->objectName().toStdString();
    }
  }
}

TEST_F(PanelTest, StoredOptionsApplyAtStart) {
  writeSetting("Hints", "0");
  writeSetting("StayOnTop", "1");
  writeSetting("TaskBarButton", "1");
  startWithChannels(1);
  EXPECT_FALSE(Form1->CheckBox5->isChecked());
  for (QWidget* c : Form1->HintControls()) EXPECT_FALSE(layout::ShowHint(c));
  EXPECT_TRUE(Form1->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(TvScreenWindow->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(TvScreenWindow->parentWidget(), nullptr) << "its own taskbar button";
  EXPECT_TRUE(TvScreenWindow->isVisible());
  EXPECT_EQ(pictureOf(Form1->Image18), pictureOf(Form1->ImageC));
  EXPECT_EQ(pictureOf(Form1->Image20), pictureOf(Form1->ImageC));
}

TEST_F(PanelTest, StayOnTopAndTaskbarOptionsKeepTheWindowsWhereTheyAre) {
  writeSetting("StayOnTop", "0");
  writeSetting("TaskBarButton", "0");
  startWithChannels(1);
  ASSERT_FALSE(Form1->windowFlags() & Qt::WindowStaysOnTopHint);
  ASSERT_EQ(TvScreenWindow->parentWidget(), TvParentWindow.data());
  const QRect tv = TvScreenWindow->geometry();
  Form1->move(210, 220);
  Form1->Image18Click();
  EXPECT_EQ(Settings.StayOnTop, 1);
  EXPECT_TRUE(TvScreenWindow->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(Form1->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(TvScreenWindow->geometry(), tv);
  EXPECT_EQ(Form1->pos(), QPoint(210, 220));
  Form1->Image18Click();
  EXPECT_EQ(Settings.StayOnTop, 0);
  EXPECT_FALSE(Form1->windowFlags() & Qt::WindowStaysOnTopHint);

  Form1->Image20Click();
  EXPECT_EQ(TvScreenWindow->parentWidget(), nullptr);
  EXPECT_EQ(TvScreenWindow->geometry(), tv);
  EXPECT_TRUE(TvScreenWindow->isVisible());
  Form1->Image20Click();
  EXPECT_EQ(TvScreenWindow->parentWidget(), TvParentWindow.data());
  EXPECT_TRUE(TvScreenWindow->isVisible());
}

TEST_F(PanelTest, TaskbarOptionLeavesTheTvWindowHiddenOnRadio) {
  writeSetting("TaskBarButton", "0");
  startWith({kRadioStation});
  ASSERT_FALSE(TvScreenWindow->isVisible());
  Form1->Image20Click();
  EXPECT_EQ(TvScreenWindow->parentWidget(), nullptr);
  EXPECT_FALSE(TvScreenWindow->isVisible());
}

TEST_F(PanelTest, TitleBarDragsThePanel) {
  startWithChannels(1);
  Form1->move(100, 100);
  for (gui::TControl* grip :
       std::initializer_list<gui::TControl*>{Form1->Gradient1, Form1->Image1, Form1->Label1}) {
    const QPoint at = Form1->pos();
    grip->OnMouseDown(grip, gui::mbLeft, 0, 10, 5);
    grip->OnMouseMove(grip, 0, 30, 15);
    EXPECT_EQ(Form1->pos(), at + QPoint(20, 10)) << grip->objectName().toStdString();
    grip->OnMouseUp(grip, gui::mbLeft, 0, 30, 15);
    grip->OnMouseMove(grip, 0, 60, 60);
    EXPECT_EQ(Form1->pos(), at + QPoint(20, 10)) << "no drag after the button is up";
  }
}

TEST_F(PanelTest, RollingUpShowsTheMiniControls) {
  startWithChannels(1);
  ASSERT_TRUE(RolledUp);
  EXPECT_EQ(Form1->height(), 161);
  Form1->Image14Click();
  EXPECT_FALSE(RolledUp);
  EXPECT_EQ(Settings.CBState, 0);
  EXPECT_EQ(Form1->height(), 21);
  for (QWidget* w : std::initializer_list<QWidget*>{Form1->RxSlider6, Form1->Image21,
                                                     Form1->Image22})
    EXPECT_TRUE(w->isVisibleTo(Form1)) << w->objectName().toStdString();
  Form1->Image14Click();
  EXPECT_TRUE(RolledUp);
  EXPECT_EQ(Settings.CBState, 1);
  EXPECT_EQ(Form1->height(), 161);
  EXPECT_FALSE(Form1->RxSlider6->isVisibleTo(Form1));
}

TEST_F(PanelTest, HideImagesHideThePanelOrEverything) {
  writeSetting("FullScreen", "NO_CHANGES");
  startWithChannels(1);
  Form1->Image11Click();
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_TRUE(PanelHidden);
  EXPECT_TRUE(TvScreenWindow->isVisible());

  Form1->show();
  PanelHidden = false;
  SetFullScreen(1);
  Form1->Image12Click();
  EXPECT_FALSE(FullScreenOn);
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_FALSE(TvScreenWindow->isVisible());
  EXPECT_TRUE(TvHiddenByUser);
  EXPECT_TRUE(PanelHidden);
  EXPECT_TRUE(Form1->RxTrayIcon1->Active());
}

TEST_F(PanelTest, QuitImageShutsDownInOrder) {
  startWithChannels(1);
  int code = -1;
  try {
    Form1->Image13Click();
  } catch (const viewer::ProcessExited& e) {
    code = e.exitCode;
  }
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(folder_.exists("channels.ini"));
}

}  // namespace
}  // namespace viewer_test
