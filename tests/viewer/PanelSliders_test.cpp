// The panel's sliders: what each sets, their OSD value texts and when those stay away.
#include <QCheckBox>
#include <QScrollBar>

#include "PanelFixture.h"
#include "controls/Rxslider.h"
#include "core/CMyMixer.h"
#include "core/Channels.h"
#include "core/Settings.h"
#include "recording/Capt.h"
#include "sim/Bt848Card.h"
#include "sim/SimPicture.h"
#include "viewer/OsdWindow.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

TEST(SliderTexts, VolumePercentages) {
  EXPECT_EQ(MasterVolumeText(65), "Volume - 100%");
  EXPECT_EQ(MasterVolumeText(13), "Volume - 20%");
  EXPECT_EQ(MasterVolumeText(64), "Volume - 98%");
  EXPECT_EQ(MasterVolumeText(0), "Volume - 0%");
  EXPECT_EQ(LineVolumeText(65), "Volume2 - 100%");
  EXPECT_EQ(LineVolumeText(13), "Volume2 - 20%");
  EXPECT_EQ(LineVolumeText(1), "Volume2 - 1%");
}

class SliderTest : public PanelTest {
protected:
  void SetUp() override {
    PanelTest::SetUp();
    writeSetting("OSDDelay", "1700", "OSD");
  }
  // Moves a slider away and back to `value`, so that its handler runs for that value.
  static void set(rxslider::TRxSlider* slider, int value) {
    slider->SetValue(value == 0 ? 1 : 0);
    slider->SetValue(value);
  }
  std::string osdText() const { return Form1->Label3->Caption(); }
};

TEST_F(SliderTest, EachSliderShowsItsValueText) {
  startWithChannels(1);
  struct Case {
    rxslider::TRxSlider* TForm1::*slider;
    int value;
    const char* text;
  };
  const Case cases[] = {{&TForm1::RxSlider9, 65, "Volume - 100%"},
                        {&TForm1::RxSlider9, 13, "Volume - 20%"},
                        {&TForm1::RxSlider1, 13, "Volume2 - 20%"},
                        {&TForm1::RxSlider2, 50, "Brightness - 50%"},
                        {&TForm1::RxSlider3, 70, "Contrast - 70%"},
                        {&TForm1::RxSlider4, 40, "Hue - 40%"},
                        {&TForm1::RxSlider5, 90, "Saturation - 90%"}};
  for (const Case& c : cases) {
    Form1->Timer7.SetEnabled(false);
    set(Form1->*c.slider, c.value);
    EXPECT_EQ(osdText(), c.text);
    EXPECT_EQ(OsdValueWindow->text(), c.text);
    EXPECT_TRUE(Form1->Timer7.Enabled()) << c.text;
    EXPECT_EQ(Form1->Timer7.Interval(), 1700u);
  }
  Form1->Timer7.OnTimer()(&Form1->Timer7);
  EXPECT_EQ(osdText(), "");
}

TEST_F(SliderTest, NoTextWhileReSetRunsExceptTheMaster) {
  startWithChannels(1);
  ReSetBusy = true;
  for (rxslider::TRxSlider* s : {Form1->RxSlider1, Form1->RxSlider2, Form1->RxSlider3,
                                 Form1->RxSlider4, Form1->RxSlider5}) {
    Form1->Label3->SetCaption("");
    set(s, 30);
    EXPECT_EQ(osdText(), "") << s->objectName().toStdString();
  }
  set(Form1->RxSlider9, 65);
  EXPECT_EQ(osdText(), "Volume - 100%");
  ReSetBusy = false;

  // A channel change sets the picture sliders without a value text.
  Form1->Label3->SetCaption("");
  ChannelTable[0].Brightness = 10;
  Form1->ReSet();
  EXPECT_EQ(Form1->RxSlider2->Value(), 10);
  EXPECT_EQ(osdText(), "");
}

TEST_F(SliderTest, NoTextWithTheOsdOff) {
  writeSetting("OSDEnabled", "0", "OSD");
  startWithChannels(1);
  for (rxslider::TRxSlider* s : {Form1->RxSlider9, Form1->RxSlider1, Form1->RxSlider2}) {
    set(s, 30);
    EXPECT_EQ(osdText(), "");
  }
  EXPECT_FALSE(Form1->Timer7.Enabled());
}

TEST_F(SliderTest, SlidersSetTheMixerTheCardAndTheChannel) {
  startWithChannels(1);
  set(Form1->RxSlider9, 50);
  EXPECT_EQ(MasterVol->GetValue(), 50000u);
  EXPECT_FLOAT_EQ(MasterVolumeLevel, 50);
  set(Form1->RxSlider1, 20);
  EXPECT_EQ(LineVol->GetValue(), 20000u);
  EXPECT_EQ(ChannelTable[0].Volume, 20);
  set(Form1->RxSlider3, 77);
  EXPECT_EQ(ChannelTable[0].Contrast, 77);
  set(Form1->RxSlider4, 33);
  EXPECT_EQ(ChannelTable[0].Hue, 33);

  // Brightness reaches the card: a brighter picture.
  set(Form1->RxSlider2, 10);
  const int dark = sim::SimPicture::controlsOf(sim::Card()).brightness;
  set(Form1->RxSlider2, 90);
  EXPECT_GT(sim::SimPicture::controlsOf(sim::Card()).brightness, dark);
  EXPECT_EQ(ChannelTable[0].Brightness, 90);

  // The saturation slider gives colour even with the black-and-white option on.
  Form1->CheckBox7->setChecked(true);
  EXPECT_EQ(sim::SimPicture::controlsOf(sim::Card()).saturationU, 0);
  set(Form1->RxSlider5, 60);
  EXPECT_GT(sim::SimPicture::controlsOf(sim::Card()).saturationU, 0);
  EXPECT_EQ(ChannelTable[0].Saturation, 60);
}

TEST_F(SliderTest, MiniSliderDrivesTheMasterOverItsWholeRange) {
  startWithChannels(1);
  EXPECT_EQ(Form1->RxSlider6->MaxValue(), Form1->RxSlider9->MaxValue());
  set(Form1->RxSlider6, 40);
  EXPECT_EQ(Form1->RxSlider9->Value(), 40);
  // At the top of the range, rolling up and down keeps the volume where it is.
  set(Form1->RxSlider9, 65);
  Form1->Image14Click();
  Form1->Image14Click();
  EXPECT_EQ(Form1->RxSlider9->Value(), 65);
  EXPECT_EQ(MasterVol->GetValue(), 65000u);
}

TEST_F(SliderTest, HiddenCaptureWindowFollowsTheMaster) {
  startWithChannels(1);
  // The capture window's own slider comes with its layout; one stands in for it here.
  rxslider::TRxSlider stand(nullptr);
  stand.SetRange(0, 65);
  Form3->RxSlider6 = &stand;
  set(Form1->RxSlider9, 44);
  EXPECT_EQ(stand.Value(), 44);
  Form3->show();
  set(Form1->RxSlider9, 12);
  EXPECT_EQ(stand.Value(), 44) << "not while the window is shown";
  Form3->hide();
  Form3->RxSlider6 = nullptr;
}

TEST_F(SliderTest, KeysOnASliderSendTheFocusToTheSink) {
  startWithChannels(1);
  for (rxslider::TRxSlider* s : {Form1->RxSlider9, Form1->RxSlider1, Form1->RxSlider5,
                                 Form1->RxSlider6}) {
    ASSERT_TRUE(s->OnKeyDown) << s->objectName().toStdString();
    uint16_t key = 'A';
    s->OnKeyDown(s, key, 0);
    EXPECT_EQ(Form1->focusWidget(), Form1->ScrollBarX) << s->objectName().toStdString();
  }
}

}  // namespace
}  // namespace viewer_test
