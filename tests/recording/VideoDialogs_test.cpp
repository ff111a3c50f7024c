// The capture window's video source and video format dialogs over the simulated card: the input
// and picture values reach the card while they are moved and come back on Cancel; the picture
// size reaches the driver, the next AVI and the next start, and Cancel changes nothing.
#include <QApplication>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QSlider>
#include <QTimer>

#include <functional>

#include "CaptureFormFixture.h"
#include "capture/AviProbe.h"
#include "controls/Curredit.h"
#include "core/CBT848.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "core/SystemUtils.h"
#include "recording/VideoFormatDialog.h"
#include "recording/VideoSourceDialog.h"
#include "sim/Bt848Card.h"
#include "sim/SimPicture.h"
#include "viewer/ScreenshotPath.h"

namespace recording_test {
namespace {

using Picture = VideoSourceDialog::Picture;

class VideoDialogsTest : public CaptureFormTest {
protected:
  void SetUp() override {
    CaptureFormTest::SetUp();
    sim::Card().reset();
    chip = std::make_unique<CBT848>();
    chip->Open({5, 8});
    CardDevice = chip.get();
    CurChannel = 1;
    CurInput = 0;
    Settings.SaturationU = 100;
    Settings.SaturationV = 67;
    ChannelTable[1].System = 1;  // NTSC_M: the one standard family with a hue
    setRow({50, 50, 50, 50});
    SetVideoInput(0);
  }

  void TearDown() override {
    CardDevice = nullptr;
    chip.reset();
    CaptureFormTest::TearDown();
  }

  // The channel's row and the card both take these values (brightness, contrast, saturation, hue).
  static void setRow(std::array<int, 4> v) {
    ChannelRecord& row = ChannelTable[1];
    row.Brightness = uint8_t(v[0]);
    row.Contrast = uint8_t(v[1]);
    row.Saturation = uint8_t(v[2]);
    row.Hue = uint8_t(v[3]);
    SetBrightness(v[0]);
    SetContrast(v[1]);
    SetSaturation(v[2]);
    SetHue(v[3]);
  }

  static std::array<int, 4> rowValues() {
    const ChannelRecord& row = ChannelTable[1];
    return {row.Brightness, row.Contrast, row.Saturation, row.Hue};
  }

  static sim::PictureControls cardControls() { return sim::SimPicture::controlsOf(sim::Card()); }

  // Runs `act` on the modal dialog that `open` shows; false when none was shown.
  static bool onModal(const std::function<void()>& open, const std::function<void(QDialog&)>& act) {
    bool shown = false;
    QTimer timer;  // gone with this call when no dialog came
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        shown = true;
        act(*dialog);
      }
    });
    timer.start(0);
    open();
    return shown;
  }

  // Lets the stream run until the TV window shows a frame of the standard whose full picture is
  // `full` (an overlay's frames come at the window's size, no larger than that).
  void waitForFrameOf(QSize full) {
    const QSize size = tv->overlay() ? full.boundedTo(tv->size()) : full;
    QElapsedTimer waited;
    waited.start();
    while (tv->currentFrame().size() != size && waited.elapsed() < 3000)
      QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    ASSERT_EQ(tv->currentFrame().size(), size);
  }

  std::unique_ptr<CBT848> chip;
};

// --- Video source

TEST_F(VideoDialogsTest, SourceValuesReachTheCardLiveAndCancelPutsBackWhatWasThere) {
  const sim::PictureControls before = cardControls();
  VideoSourceDialog dialog(nullptr);
  EXPECT_EQ(dialog.input()->currentIndex(), 0);
  EXPECT_EQ(dialog.slider(Picture::kBrightness)->value(), 50);

  dialog.input()->setCurrentIndex(2);
  EXPECT_EQ(sim::Card().videoInput(), sim::VideoInput::SVideo);
  struct Case {
    Picture which;
    int value;
    std::function<int(const sim::PictureControls&)> reg;
  };
  const Case cases[] = {
      {Picture::kBrightness, 90, [](const auto& c) { return c.brightness; }},
      {Picture::kContrast, 10, [](const auto& c) { return c.contrast; }},
      {Picture::kSaturation, 80, [](const auto& c) { return c.saturationU; }},
      {Picture::kHue, 20, [](const auto& c) { return c.hue; }},
  };
  for (const Case& c : cases) {
    const int was = c.reg(cardControls());
    dialog.slider(c.which)->setValue(c.value);
    EXPECT_NE(c.reg(cardControls()), was) << "control " << c.which << " is applied at once";
  }

  dialog.reject();

  EXPECT_EQ(cardControls(), before);
  EXPECT_EQ(sim::Card().videoInput(), sim::VideoInput::Tuner);
  EXPECT_EQ(CurInput, 0u);
  EXPECT_EQ(rowValues(), (std::array<int, 4>{50, 50, 50, 50})) << "Cancel stores nothing";
}

TEST_F(VideoDialogsTest, SourceOkKeepsTheValuesOnTheCardAndInTheChannelRow) {
  int stored = 0;
  CaptureLinks.pictureStored = [&] { ++stored; };
  VideoSourceDialog dialog(nullptr);
  dialog.input()->setCurrentIndex(1);
  dialog.slider(Picture::kBrightness)->setValue(70);
  dialog.slider(Picture::kHue)->setValue(30);
  const sim::PictureControls chosen = cardControls();

  dialog.accept();

  EXPECT_EQ(cardControls(), chosen);
  EXPECT_EQ(sim::Card().videoInput(), sim::VideoInput::Composite);
  EXPECT_EQ(rowValues(), (std::array<int, 4>{70, 50, 50, 30}));
  EXPECT_EQ(stored, 1);
  VideoSourceDialog again(nullptr);
  EXPECT_EQ(again.input()->currentIndex(), 1);
  EXPECT_EQ(again.slider(Picture::kBrightness)->value(), 70) << "the dialog shows what it kept";
  again.reject();
}

// The input goes through the panel's switch, which brings the new input's channel row; the
// dialog shows that row and Cancel switches back.
TEST_F(VideoDialogsTest, TheSourceButtonSwitchesTheInputThroughThePanel) {
  std::vector<int> switched;
  CaptureLinks.videoInput = [&](int input) {
    switched.push_back(input);
    CurInput = uint32_t(input);
    CurChannel = input == 0 ? 1 : (input == 1 ? kAvRow : kSvhsRow);
  };
  ChannelTable[kAvRow].Brightness = 20;
  TForm3& form = show();
  int shownBrightness = -1;

  ASSERT_TRUE(onModal([&] { form.Button1Click(); },
                      [&](QDialog& d) {
                        auto& dialog = static_cast<VideoSourceDialog&>(d);
                        EXPECT_EQ(dialog.windowTitle(), "Источник видео");
                        dialog.input()->setCurrentIndex(1);
                        shownBrightness = dialog.slider(Picture::kBrightness)->value();
                        dialog.reject();
                      }));

  EXPECT_EQ(shownBrightness, 20);
  EXPECT_EQ(switched, (std::vector<int>{1, 0}));
  EXPECT_EQ(CurChannel, 1);
}

// --- Video format

TEST_F(VideoDialogsTest, TheSizesOfferedFollowTheStandard) {
  struct Case {
    uint32_t standard;
    std::vector<QSize> sizes;
  };
  const Case cases[] = {
      {3, {{768, 576}, {384, 288}, {192, 144}}},  // PAL_BDGHI
      {1, {{640, 480}, {320, 240}, {160, 120}}},  // NTSC_M
  };
  for (const Case& c : cases) {
    chip->SetVideoFormat(c.standard);
    EXPECT_EQ(tv->source().frameSizes(), c.sizes) << "standard " << c.standard;
  }
  tv->driverDisconnect();
  EXPECT_TRUE(tv->source().frameSizes().empty()) << "no driver, no sizes";
}

TEST_F(VideoDialogsTest, TheChosenSizeReachesTheCaptureAndTheStoreAndCancelChangesNothing) {
  chip->SetVideoFormat(3);
  TForm3& form = show();
  auto choose = [&](QSize size, bool ok) {
    return onModal([&] { form.Button2Click(); },
                   [&](QDialog& d) {
                     auto& dialog = static_cast<VideoFormatDialog&>(d);
                     EXPECT_EQ(dialog.sizeBox()->count(), 3);
                     dialog.sizeBox()->setCurrentIndex(dialog.sizeBox()->findData(size));
                     ok ? dialog.accept() : dialog.reject();
                   });
  };

  ASSERT_TRUE(choose({192, 144}, false));
  EXPECT_TRUE(tv->sequence().frameSize().isEmpty());
  EXPECT_EQ(ReadAppRegValue("TheVyx", "Video Format V", nullptr, 0), 0u);

  ASSERT_TRUE(choose({384, 288}, true));
  EXPECT_EQ(tv->sequence().frameSize(), QSize(384, 288));
  EXPECT_EQ(tv->grabFrame().size(), QSize(768, 576)) << "the TV window keeps the full picture";

  // The next start: a fresh TV window's captures take the stored size when the window is made.
  form.close();
  delete Form3;
  tv = std::make_unique<platform::CaptureWindow>(std::make_unique<platform::CaptureSourceSim>());
  ASSERT_TRUE(tv->driverConnect(0));
  make();
  EXPECT_EQ(tv->sequence().frameSize(), QSize(384, 288));
}

TEST_F(VideoDialogsTest, AStoredSizeThatIsNoSizeIsLeftUnused) {
  const std::vector<std::vector<uint8_t>> blocks = {
      {0, 0, 0, 0, 0x20, 0, 0, 0},                // width 0
      {0x80, 0, 0, 0, 0, 0x80, 0, 0},             // height 32768
      {0x80, 0, 0, 0, 0x60, 0},                   // short
      {0x80, 0, 0, 0, 0x60, 0, 0, 0, 0},          // long
  };
  for (const auto& block : blocks) {
    WriteAppRegValue("TheVyx", "Video Format V", block.data(), uint32_t(block.size()));
    RestoreVideoFrameSize(tv->sequence());
    EXPECT_TRUE(tv->sequence().frameSize().isEmpty()) << "block of " << block.size() << " bytes";
  }
}

TEST_F(VideoDialogsTest, NoFormatDialogWhileACaptureRuns) {
  TForm3& form = show();
  AviCaptureRunning = true;
  EXPECT_FALSE(onModal([&] { form.Button2Click(); }, [](QDialog& d) { d.reject(); }));
  AviCaptureRunning = false;
}

// The file takes the chosen size; one larger than the standard's picture gives that picture.
TEST_F(VideoDialogsTest, ACaptureAfterAFormatChangeRecordsThatSize) {
  struct Case {
    uint32_t standard;
    int sizeItem;  // chosen in the dialog; -1: 768 x 576 kept from before
    QSize file;
  };
  const Case cases[] = {{3, 2, {192, 144}}, {3, 1, {384, 288}}, {1, -1, {640, 480}}};
  TForm3& form = show();
  form.CheckBox3->setChecked(true);
  form.RxCalcEdit1->SetValue(1);
  for (const Case& c : cases) {
    chip->SetVideoFormat(c.standard);
    waitForFrameOf(tv->source().frameSizes().front());
    tv->sequence().setFrameSize({768, 576});
    if (c.sizeItem >= 0) {
      ASSERT_TRUE(onModal([&] { form.SpeedButton2Click(); },
                          [&](QDialog& d) {
                            static_cast<VideoFormatDialog&>(d).sizeBox()->setCurrentIndex(
                                c.sizeItem);
                            d.accept();
                          }));
    }
    CaptureFileName = file("small.avi");

    form.Button8Click();

    const capture_test::AviProbe probe = capture_test::ProbeAvi(file("small.avi"), true);
    ASSERT_TRUE(probe.opened) << c.file.width();
    EXPECT_GE(probe.frames, 1) << c.file.width();
    EXPECT_EQ(QSize(probe.width, probe.height), c.file);
    ASSERT_FALSE(probe.pictures.empty());
    EXPECT_EQ(probe.pictures.front().size(), c.file);
  }
}

// --- Look

// Each dialog at its default size: every shown control inside the dialog, none over a sibling,
// each text whole; a screenshot of each.
TEST_F(VideoDialogsTest, BothDialogsShowEveryControlWhole) {
  VideoSourceDialog source(nullptr);
  VideoFormatDialog format(nullptr, tv->source().frameSizes(), {}, platform::AviVideoCodec::Mjpeg);
  const std::pair<QDialog*, const char*> dialogs[] = {{&source, "video_source_ru.png"},
                                                      {&format, "video_format_ru.png"}};
  for (auto [dialog, shot] : dialogs) {
    dialog->show();
    processEvents();
    const QRect inside = dialog->rect();
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(dialog)) continue;
      const std::string name = std::string(shot) + ": " + w->metaObject()->className() + " \"" +
                               (qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text() : "")
                                   .toStdString() +
                               "\"";
      EXPECT_TRUE(inside.contains(QRect(w->mapTo(dialog, QPoint(0, 0)), w->size()))) << name;
      if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
          qobject_cast<QComboBox*>(w)) {
        EXPECT_GE(w->width(), w->sizeHint().width()) << name << " is cut";
      }
      for (QWidget* other :
           w->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != w && other->isVisibleTo(dialog) && !other->objectName().startsWith("qt_")) {
          EXPECT_FALSE(w->geometry().intersects(other->geometry())) << name << " overlaps";
        }
      }
    }
    EXPECT_TRUE(dialog->grab().save(viewer_test::screenshotPath(shot)));
    dialog->hide();
  }
}

}  // namespace
}  // namespace recording_test
