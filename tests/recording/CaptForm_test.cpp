// The capture window's making, its show-time set-up (once per run, and at every show), closing,
// and the controls around the pages: abort key, alarms, split-size warning, statistics frame and
// the Image page.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>

#include "CaptureFormFixture.h"
#include "controls/Curredit.h"
#include "controls/PerfGraph.h"
#include "controls/Rxclock.h"
#include "controls/Rxspin.h"
#include "controls/TooleditDate.h"
#include "controls/TooleditMask.h"
#include "controls/utils/Dateutil.h"
#include "core/SystemUtils.h"
#include "gui/Colors.h"
#include "platform/Clock.h"
#include "recording/CaptInternal.h"
#include "recording/CaptState.h"
#include "support/qt/WidgetInput.h"

namespace recording_test {
namespace {

TEST_F(CaptureFormTest, TheControlsComeFromTheSettings) {
  Settings.AviFilename = "";
  Settings.CaptureFPS = 15;
  Settings.CaptureFileSize = 700;
  Settings.CaptureTimeLimitEnabled = 1;
  Settings.CaptureTimeLimit = 90;
  Settings.FileIncrementVideo = 1;
  Settings.AudioIsMasterStream = 1;
  Settings.ImageType = 1;
  Settings.JpegQuality = 0;

  TForm3& form = make();

  EXPECT_EQ(CaptureFileName, folder.file("capture.avi")) << "one separator";
  EXPECT_EQ(form.Label27->text().toStdString(), CaptureFileName);
  EXPECT_EQ(form.RxSpinEdit1->Value(), 15);
  EXPECT_EQ(CaptureParms.dwRequestMicroSecPerFrame, 1000000u / 15);
  EXPECT_EQ(form.Edit1->text(), "700");
  EXPECT_TRUE(form.CheckBox3->isChecked());
  EXPECT_EQ(form.RxCalcEdit1->Value(), 90);
  EXPECT_TRUE(form.CheckBox13->isChecked());
  EXPECT_TRUE(form.CheckBox6->isChecked());
  EXPECT_EQ(form.ComboBox3->currentText(), "Normal");
  EXPECT_TRUE(form.RadioJpg->isChecked());
  EXPECT_EQ(form.ScrollBar2->value(), 50) << "quality 0 shows 50";
  EXPECT_EQ(form.Label14a->text(), "50");
  EXPECT_FALSE(form.CheckBox11->isChecked());
  EXPECT_TRUE(CaptureFormCreated);
  EXPECT_EQ(form.width(), 473);
  EXPECT_EQ(form.height(), 476);
}

TEST_F(CaptureFormTest, TheFirstShowReadsTheDriverOnceEveryShowSetsItUp) {
  Settings.VideoBuffers = 0;
  Settings.AudioBuffers = 7;
  Settings.AviFilename = file("first.avi");
  platform::CaptureParms driver;
  driver.wNumVideoRequested = 12;
  driver.fCaptureAudio = false;
  tv->sequence().setParms(driver);
  TForm3& form = show();

  EXPECT_FALSE(CaptureFirstShow);
  EXPECT_EQ(form.Edit2->text(), "12") << "0 takes the driver's";
  EXPECT_EQ(form.Edit3->text(), "7");
  EXPECT_EQ(CaptureParms.wPercentDropForError, 100u);
  EXPECT_FALSE(form.CheckBox2->isChecked());
  EXPECT_EQ(tv->sequence().captureFile(), file("first.avi"));
  EXPECT_TRUE(tv->overlay());

  // Closed and shown again: the driver's parameters are not read again, the file and the
  // picture are set up again.
  form.Panel4Click();
  EXPECT_EQ(panelShown, 1);
  EXPECT_FALSE(form.isVisible());
  driver.wNumVideoRequested = 3;
  tv->sequence().setParms(driver);
  tv->sequence().setCaptureFile("elsewhere.avi");
  tv->setPreview(true);
  form.Edit2->setText("9");
  form.show();
  CaptureFormShown = true;
  form.Timer2Timer();
  EXPECT_EQ(form.Edit2->text(), "9");
  EXPECT_EQ(tv->sequence().captureFile(), file("first.avi"));
  EXPECT_TRUE(tv->overlay());
}

TEST_F(CaptureFormTest, ClosingStoresTheOptionsAndTheCaptureSoundFormat) {
  TForm3& form = show();
  form.ComboBox2->setCurrentIndex(45);
  form.CheckBox9->setChecked(true);
  form.CheckBox7->setChecked(false);
  form.CheckBox13->setChecked(true);
  tv->sequence().setAudioFormat({1, 22050, 16});

  form.FormClose();

  EXPECT_EQ(Settings.AbortKey, 45u);
  EXPECT_EQ(Settings.AbortCtrl, 1);
  EXPECT_EQ(Settings.AbortLeftMouse, 0);
  EXPECT_EQ(Settings.FileIncrementVideo, 1);
  // The next run's window hands the format to the driver at its show.
  ResetRecordingState();
  CaptureLinks.tvWindow = [this] { return tv.get(); };
  tv->sequence().setAudioFormat({2, 44100, 16});
  show();
  EXPECT_EQ(tv->sequence().audioFormat().channels, 1);
  EXPECT_EQ(tv->sequence().audioFormat().samplesPerSec, 22050);
}

// The caption bar drags the window by the point it was pressed at; its "X" stores and closes
// only on a release inside it.
TEST_F(CaptureFormTest, TheCaptionBarDragsTheWindowAndItsCloseBoxStores) {
  TForm3& form = show();
  const QPoint from = form.pos();
  testing_support::PressAt(form.Panel7, {5, 6});
  for (QLabel* panel : {form.Panel7, form.Panel4})
    EXPECT_EQ(panel->palette().color(QPalette::Window), gui::ToQColor(gui::clActiveCaption));
  testing_support::MoveTo(form.Panel7, {25, 16});
  EXPECT_EQ(form.pos(), from + QPoint(20, 10));
  testing_support::ReleaseAt(form.Panel7, {25, 16});
  testing_support::MoveTo(form.Panel7, {40, 40});
  EXPECT_EQ(form.pos(), from + QPoint(20, 10)) << "the drag has ended";

  form.ComboBox2->setCurrentIndex(45);
  testing_support::PressAt(form.Panel4, {5, 5});
  testing_support::ReleaseAt(form.Panel4, {30, 5});
  EXPECT_NE(Settings.AbortKey, 45u) << "released outside the box";
  testing_support::PressAt(form.Panel4, {5, 5});
  testing_support::ReleaseAt(form.Panel4, {5, 5});
  EXPECT_EQ(Settings.AbortKey, 45u);
}

TEST_F(CaptureFormTest, AStoredCaptureSoundFormatIsCheckedBeforeUse) {
  struct Case {
    std::vector<uint8_t> block;
    bool used;
  };
  auto pcm = [](uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    WaveFormatFields f;
    f.formatTag = tag;
    f.channels = channels;
    f.samplesPerSec = rate;
    f.bitsPerSample = bits;
    f.blockAlign = uint16_t(channels * bits / 8);
    f.avgBytesPerSec = rate * f.blockAlign;
    return WaveFormatBlock(f, kWaveFormatFieldsSize);
  };
  const Case cases[] = {
      {pcm(1, 1, 11025, 8), true},     {pcm(0x55, 2, 44100, 16), false},
      {pcm(1, 0, 44100, 16), false},   {pcm(1, 2, 0, 16), false},
      {pcm(1, 2, 44100, 12), false},   {{1, 0, 2, 0}, false},
  };
  for (const Case& c : cases) {
    platform::AviAudioFormat format{2, 48000, 16};
    EXPECT_EQ(capt::ParseAviAudioFormat(c.block, &format), c.used);
    if (!c.used) {
      EXPECT_EQ(format.samplesPerSec, 48000) << "left alone";
    }
  }
}

TEST_F(CaptureFormTest, TheAbortKeyIsTriedAndItsCodeCarriesTheModifiers) {
  Settings.AbortKeyEnabled = 1;
  TForm3& form = show();
  form.ComboBox2->setCurrentIndex(form.ComboBox2->findText("F5"));
  form.CheckBox9->setChecked(true);
  form.CheckBox10->setChecked(true);
  form.ComboBox2Change();
  EXPECT_EQ(CaptureParms.vKeyAbort, 0x74u | 0x8000u | 0x4000u);
  EXPECT_FALSE(platform::SimGlobalHotKey().grabbed()) << "held only while a capture runs";
  EXPECT_TRUE(boxes.shown().empty());

  platform::SimGlobalHotKey().setHeldElsewhere(0, 0x41);
  form.CheckBox9->setChecked(false);
  form.CheckBox10->setChecked(false);
  form.ComboBox2->setCurrentIndex(form.ComboBox2->findText("A"));
  form.ComboBox2Change();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].caption, "RegisterHotKey error");
  EXPECT_EQ(CaptureParms.vKeyAbort, 0x74u) << "the last free key stays";

  EXPECT_EQ(AbortKeyCode(0), 0x1Bu);
  EXPECT_EQ(AbortKeyCode(4), 0x2Cu);
  EXPECT_EQ(AbortKeyCode(52), 0x7Bu);
  EXPECT_EQ(AbortKeyCode(53), 0u);
}

// A start alarm fires only while its box is checked and its date is today, at hh:mm:00.
TEST_F(CaptureFormTest, AlarmsAreArmedOnlyOnTheirDate) {
  TForm3& form = show();
  const AlarmDate today = CaptureToday();
  const TDateTime todayValue = dateutil::EncodeDate(today.year, today.month, today.day);
  struct Case {
    TDateTime date;
    bool checked;
    bool armed;
  };
  const Case cases[] = {
      {todayValue, true, true},
      {todayValue + 1, true, false},
      {todayValue - 1, true, false},
      {todayValue, false, false},
  };
  for (const Case& c : cases) {
    form.DateEdit1->SetDate(c.date);
    form.DateEdit1Change();
    form.CheckBox1->setChecked(c.checked);
    form.Timer2Timer();
    EXPECT_EQ(form.RxClock1->AlarmEnabled(), c.armed) << c.date - todayValue << " days";
  }
  form.MaskEdit1->SetText("12:30");
  EXPECT_EQ(form.RxClock1->AlarmHour(), 12);
  EXPECT_EQ(form.RxClock1->AlarmMinute(), 30);
  EXPECT_EQ(form.RxClock1->AlarmSecond(), 0);
  form.MaskEdit2->SetText("07:05");
  EXPECT_EQ(form.RxClock2->AlarmHour(), 7);
  EXPECT_EQ(form.RxClock2->AlarmMinute(), 5);
}

TEST_F(CaptureFormTest, AnHourOfTwentyFourOrMoreIsRefusedWithAMessage) {
  TForm3& form = show();
  form.MaskEdit1->SetText("08:15");
  boxes.clear();
  for (const char* bad : {"24:00", "99:10", "10:60"}) {
    form.MaskEdit1->SetText(bad);
    EXPECT_EQ(form.RxClock1->AlarmHour(), 8) << bad;
    EXPECT_EQ(form.RxClock1->AlarmMinute(), 15) << bad;
  }
  EXPECT_EQ(boxes.shown().size(), 3u);
}

TEST_F(CaptureFormTest, SplitSizesAbove2044MbAreWarnedAboutAndKept) {
  TForm3& form = show();
  form.Edit1->setText("2044");
  form.Edit1Exit();
  EXPECT_TRUE(boxes.shown().empty());
  form.Edit1->setText("2045");
  form.Edit1Exit();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].text, "Your file must be less than 2Gb!");
  EXPECT_EQ(boxes.shown()[0].caption, "Warning!");
  EXPECT_EQ(Settings.CaptureFileSize, 2045u);
}

TEST_F(CaptureFormTest, HidingTheStatisticsEndsTheWindowAboveTheGraph) {
  TForm3& form = show();
  form.CheckBox17->setChecked(true);
  EXPECT_EQ(form.height(), form.PG1->y() - 1);
  EXPECT_EQ(Settings.HideStatWindow, 1);
  form.CheckBox17->setChecked(false);
  EXPECT_EQ(form.height(), 476);
  form.PageControl1->setCurrentIndex(1);
  EXPECT_TRUE(form.Panel10->isHidden()) << "the audio statistics show";
  form.PageControl1->setCurrentIndex(2);
  EXPECT_TRUE(form.Panel10->isHidden()) << "the Image page changes nothing";
  form.PageControl1->setCurrentIndex(0);
  EXPECT_FALSE(form.Panel10->isHidden());
}

TEST_F(CaptureFormTest, TheImagePageSetsTheSnapshotOptions) {
  TForm3& form = show();
  form.RxCalcEdit2->SetValue(2.5);
  form.CheckBox11->setChecked(true);
  EXPECT_EQ(snapshotTimer, std::make_pair(true, 2500));
  EXPECT_EQ(Settings.CapturePeriod, 2u);
  form.RadioBmp->setChecked(true);
  EXPECT_FALSE(form.ScrollBar2->isEnabled());
  EXPECT_TRUE(form.Label12->isHidden());
  form.RadioJpg->setChecked(true);
  EXPECT_TRUE(form.ScrollBar2->isEnabled());
  form.ScrollBar2->setValue(77);
  EXPECT_EQ(form.Label14a->text(), "77");
  EXPECT_EQ(Settings.JpegQuality, 77);
  form.CheckBox16->setChecked(true);
  EXPECT_EQ(Settings.ImgToSingleFile, 0);
  CaptureLinks.tvWindow = [] { return static_cast<platform::CaptureWindow*>(nullptr); };
  form.Button8Click();  // a capture turns the periodic snapshots off
  EXPECT_EQ(snapshotTimer.first, false);
}

}  // namespace
}  // namespace recording_test
