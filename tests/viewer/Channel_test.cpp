// Applying a channel: the panel, the title, the card and the OSD after TForm1::ReSet, the channel
// keys and the black-and-white option.
#include <QCheckBox>
#include <QMenu>

#include "ProgramFixture.h"
#include "controls/RxLabel.h"
#include "controls/Rxshell.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "core/CBT848.h"
#include "core/Channels.h"
#include "core/CoreState.h"
#include "core/Settings.h"
#include "sim/Bt848Card.h"
#include "sim/EventLog.h"
#include "sim/SimPicture.h"
#include "viewer/OsdWindow.h"
#include "viewer/TvScreen.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

TEST(ChannelTexts, NumberAndTitle) {
  EXPECT_EQ(ChannelNumberText(6), "  7 ");
  EXPECT_EQ(ChannelNumberText(122), "123 ");
  ChannelTable[0].Name = "ORT";
  ChannelTable[kAvRow].Name = "ORT";
  ChannelTable[kSvhsRow].Name = "ORT";
  EXPECT_EQ(ChannelTitle(0), "The Vyx98 - ORT (1)");
  EXPECT_EQ(ChannelTitle(kAvRow), "The Vyx98 - ORT (AV)");
  EXPECT_EQ(ChannelTitle(kSvhsRow), "The Vyx98 - ORT (SVHS)");
  ChannelTable[0].Name = std::string(40, 'N');
  const std::string title = ChannelTitle(0);
  EXPECT_EQ(title.size(), 39u);
  EXPECT_EQ(title, "The Vyx98 - " + std::string(27, 'N'));
  ResetCoreState();
}

class ChannelTest : public ProgramTest {
protected:
  void startWith(std::vector<Channel> channels) {
    writeChannels(channels);
    ASSERT_EQ(start(), 0);
  }
  // Transfers that move the tuner: a divider (a first byte without bit 7) rather than the band
  // word the FM stereo setting sends again.
  static int tuningWrites() {
    int n = 0;
    for (const sim::Event& e : sim::Log().only(sim::Event::Kind::I2cWrite))
      if (!(e.b & 0x8000)) ++n;
    return n;
  }
};

TEST_F(ChannelTest, ResetShowsTheRowOnThePanelAndTunesIt) {
  startWith({kOneStation, kFiveStation});
  CurChannel = 1;
  Form1->ReSet();
  EXPECT_EQ(Form1->RxLabel1->Caption(), "  2 ");
  EXPECT_EQ(Form1->Label1->Caption(), "Sim Five");
  EXPECT_EQ(Form1->Label2->Caption(), "Sim Five");
  EXPECT_EQ(Form1->RxTrayIcon1->Hint(), "Sim Five");
  EXPECT_EQ(Form1->RxLabel4->Caption(), "SECAM");
  EXPECT_EQ(Form1->RxLabel6->Caption(), " TV");
  EXPECT_EQ(Form1->RxSlider2->Value(), 50);
  EXPECT_EQ(Form1->RxSlider3->Value(), 60);
  EXPECT_EQ(Form1->RxSlider5->Value(), 70);
  EXPECT_EQ(Form1->RxSlider1->Value(), 40);
  EXPECT_DOUBLE_EQ(Form1->RxSpinEdit1->Value(), 191.25);
  EXPECT_EQ(sim::Card().tunedStation()->name, "Sim Five");
  EXPECT_FALSE(ReSetBusy);
}

// A chip object that has become unusable makes the card functions throw; the busy flag of the
// channel application does not stay behind (the slider handlers would ignore the user then).
TEST_F(ChannelTest, ResetThatThrowsLeavesNoBusyFlag) {
  startWith({kOneStation, kFiveStation});
  CardDevice->Close();
  EXPECT_THROW(Form1->ReSet(), CExcept);
  EXPECT_FALSE(ReSetBusy);
}

TEST_F(ChannelTest, AvRowTunesNothingButAppliesStandardPictureAndMute) {
  startWith({kOneStation});
  ChannelTable[kAvRow].Brightness = 80;
  ChannelTable[kAvRow].Contrast = 20;
  CurInput = 1;
  CurChannel = kAvRow;
  Form1->CheckBox3->setChecked(false);
  sim::Log().clear();
  sim::Card().poke(0x028, 0);
  const double tuned = sim::Card().tuner().tunedMHz();
  Form1->ReSet();
  EXPECT_EQ(tuningWrites(), 0) << "nothing is tuned on the AV row";
  EXPECT_EQ(sim::Card().tuner().tunedMHz(), tuned);
  EXPECT_EQ(TitleText, "The Vyx98 - Video (AV)");
  EXPECT_EQ(Form1->RxLabel4->Caption(), "PAL_BDGHI");
  EXPECT_EQ(Form1->RxLabel6->Caption(), "AV");
  EXPECT_EQ(sim::Card().peek(sim::bt::kIform) & 0x7, 3u) << "standard PAL";
  const sim::PictureControls c = sim::SimPicture::controlsOf(sim::Card());
  EXPECT_GT(c.brightness, 0) << "brightness 80 %";
  EXPECT_LT(c.contrast, 0xD8) << "contrast 20 %";
  EXPECT_EQ(sim::Card().audioSource(), sim::AudioSource::Muted) << "sound option off";
  EXPECT_EQ(Form1->RxSlider1->Value(), 40) << "the channel's volume";
}

TEST_F(ChannelTest, OsdTimerOnlyWithOsdEnabled) {
  writeSetting("OSDEnabled", "0", "OSD");
  startWith({kOneStation});
  EXPECT_FALSE(OsdChannelWindow) << "no OSD windows without the OSD";
  Form1->Timer6.SetEnabled(false);
  Form1->ReSet();
  EXPECT_FALSE(Form1->Timer6.Enabled());
}

TEST_F(ChannelTest, NewChannelRestartsTheOsdText) {
  writeSetting("OSDDelay", "2500", "OSD");
  startWith({kOneStation, kFiveStation});
  Form1->Timer6.OnTimer()(&Form1->Timer6);
  ASSERT_EQ(OsdChannelWindow->text(), "");
  CurChannel = 1;
  Form1->ReSet();
  EXPECT_EQ(OsdChannelWindow->text(), "Sim Five");
  EXPECT_TRUE(Form1->Timer6.Enabled());
  EXPECT_EQ(Form1->Timer6.Interval(), 2500u);
}

TEST_F(ChannelTest, BlackAndWhiteWritesSaturationZeroOnEveryChange) {
  startWith({kOneStation, kFiveStation});
  Form1->CheckBox7->setChecked(true);
  CurChannel = 1;
  Form1->ReSet();
  const sim::PictureControls c = sim::SimPicture::controlsOf(sim::Card());
  EXPECT_EQ(c.saturationU, 0);
  EXPECT_EQ(c.saturationV, 0);
  Form1->CheckBox7->setChecked(false);
  ApplySaturation();
  EXPECT_GT(sim::SimPicture::controlsOf(sim::Card()).saturationU, 0);
}

TEST_F(ChannelTest, ChannelKeysWithAltAndUnusedRows) {
  std::vector<Channel> channels;
  for (int i = 0; i < 14; ++i) channels.push_back({"C" + std::to_string(i + 1), 49.75, 6});
  startWith(channels);
  SelectChannelByNumber(3);
  EXPECT_EQ(CurChannel, 3);
  AltKeyDown = true;
  SelectChannelByNumber(3);
  EXPECT_EQ(CurChannel, 13);
  EXPECT_EQ(Form1->Label1->Caption(), "C14");
  SelectChannelByNumber(9);  // row 19: not a channel
  EXPECT_EQ(CurChannel, 13);
  AltKeyDown = false;
}

TEST_F(ChannelTest, RadioChannelLeavesFullScreenAndTheNextTvChannelReturnsToIt) {
  writeSetting("FullScreen", "NO_CHANGES");
  startWith({kOneStation, kRadioStation, kFiveStation});
  SetFullScreen(1);
  ASSERT_TRUE(FullScreenOn);
  SelectChannelByNumber(1);
  EXPECT_FALSE(FullScreenOn);
  EXPECT_TRUE(RadioLeftFullScreen);
  EXPECT_FALSE(TvScreenWindow->isVisible()) << "radio hides the TV window";
  EXPECT_EQ(sim::SimPicture::describe(sim::Card()).content, sim::PictureState::Content::Radio);
  SelectChannelByNumber(2);
  EXPECT_TRUE(TvScreenWindow->isVisible());
  EXPECT_TRUE(FullScreenOn);
  EXPECT_FALSE(RadioLeftFullScreen);
  SetFullScreen(0);
}

}  // namespace
}  // namespace viewer_test
