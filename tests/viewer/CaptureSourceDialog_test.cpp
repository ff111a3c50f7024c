// The capture window's video source dialog in the running program: the input goes through the
// panel's input switch, so the panel's label and channel row follow it, and values kept with Ok
// show on the panel's sliders.
#include <QApplication>
#include <QComboBox>
#include <QSlider>
#include <QTimer>

#include <functional>

#include "PanelFixture.h"
#include "controls/RxLabel.h"
#include "controls/Rxslider.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "recording/Capt.h"
#include "recording/VideoSourceDialog.h"
#include "sim/Bt848Card.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

// Opens the source dialog from the capture window and runs `act` on it.
void withSourceDialog(const std::function<void(VideoSourceDialog&)>& act) {
  bool shown = false;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (auto* dialog = dynamic_cast<VideoSourceDialog*>(QApplication::activeModalWidget())) {
      shown = true;
      act(*dialog);
    }
  });
  timer.start(0);
  Form3->Button1Click();
  EXPECT_TRUE(shown);
}

TEST_F(PanelTest, TheSourceDialogSwitchesInputsThroughThePanelAndCancelComesBack) {
  startWithChannels(2, 1);
  withSourceDialog([](VideoSourceDialog& dialog) {
    dialog.input()->setCurrentIndex(2);
    EXPECT_EQ(CurInput, 2u);
    EXPECT_EQ(CurChannel, kSvhsRow);
    EXPECT_EQ(Form1->RxLabel6->Caption(), "SVHS");
    EXPECT_EQ(sim::Card().videoInput(), sim::VideoInput::SVideo);
    dialog.reject();
  });
  EXPECT_EQ(CurInput, 0u);
  EXPECT_EQ(CurChannel, 1);
  EXPECT_EQ(sim::Card().videoInput(), sim::VideoInput::Tuner);
}

TEST_F(PanelTest, PictureValuesKeptByTheSourceDialogShowOnThePanel) {
  startWithChannels(2, 1);
  withSourceDialog([](VideoSourceDialog& dialog) {
    dialog.slider(VideoSourceDialog::kBrightness)->setValue(83);
    dialog.slider(VideoSourceDialog::kSaturation)->setValue(12);
    dialog.accept();
  });
  EXPECT_EQ(ChannelTable[1].Brightness, 83);
  EXPECT_EQ(Form1->RxSlider2->Value(), 83);
  EXPECT_EQ(Form1->RxSlider5->Value(), 12);
}

}  // namespace
}  // namespace viewer_test
