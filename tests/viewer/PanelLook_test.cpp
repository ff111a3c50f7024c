// The panel's built-in look: every control inside the panel, none over another, every text in
// its field, in Russian and with English texts; screenshots at 1x (Russian, English, rolled up)
// and at 2x (the program itself under a scale factor), written to VYX_SCREENSHOT_DIR.
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFontMetrics>
#include <QMenu>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScrollBar>
#include <QToolButton>

#include "ChildProgram.h"
#include "PanelFixture.h"
#include "ScreenshotPath.h"
#include "controls/Exgrad.h"
#include "controls/RxLabel.h"
#include "controls/RxSpeedButton.h"
#include "controls/Rxslider.h"
#include "controls/Rxspin.h"
#include "core/Settings.h"
#include "gui/CustomEdit.h"
#include "gui/Cp1251.h"
#include "viewer/PanelArt.h"
#include "viewer/PanelGeometry.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

// The panel's texts in another language, as a language file sets them.
struct Texts {
  const char* options[6];  // Label4 .. Label9
  const char* noChange;    // Label11, and the full-screen button on mode 5
};
const Texts kRussian = {
    {"Звук включен", "ч/б", "Оставлять звук", "Всегда сверху", "Подсказки", "Кнопка на taskbar"},
    "Не менять"};
const Texts kEnglish = {
    {"Sound on", "B/W", "Keep sound", "Always on top", "Hints", "Taskbar button"}, "No change"};

// A channel name as channels.ini holds it (Windows-1251).
std::string russianName() { return gui::ToCp1251(QString::fromUtf8("Первый канал")); }

class PanelLookTest : public PanelTest {
protected:
  void setTexts(const Texts& texts) {
    TLabel* labels[] = {Form1->Label4, Form1->Label5, Form1->Label6,
                        Form1->Label7, Form1->Label8, Form1->Label9};
    for (int i = 0; i < 6; ++i) labels[i]->SetCaption(gui::ToCp1251(QString::fromUtf8(texts.options[i])));
    Form1->Label11->SetCaption(gui::ToCp1251(QString::fromUtf8(texts.noChange)));
    Settings.FullScreen = kFullScreenNoChanges;
    ShowFullScreenMode();
  }

  // The controls that show on the panel, the background pictures aside. On the rolled-up
  // panel the controls below the title bar are out of its window.
  static std::vector<QWidget*> shownControls() {
    std::vector<QWidget*> shown;
    const bool rolledUp = !RolledUp;
    for (QObject* child : Form1->children()) {
      auto* w = qobject_cast<QWidget*>(child);
      if (!w || w->isWindow() || !w->isVisibleTo(Form1)) continue;
      if (w == Form1->Image2 || w == Form1->Image1) continue;
      if (rolledUp && w->y() >= Form1->height()) continue;
      shown.push_back(w);
    }
    return shown;
  }

  static std::string nameOf(const QWidget* w) { return w->objectName().toStdString(); }

  // Inside the panel's frame (the focus sink and the idle manual entry outside it), and no two
  // controls on each other but the channel name on its gradient.
  static void expectTidy(const std::string& context) {
    const QRect inner = QRect(0, 0, Form1->width(), Form1->height()).adjusted(1, 1, -1, -1);
    const std::vector<QWidget*> shown = shownControls();
    for (QWidget* w : shown) {
      if (w == Form1->ScrollBarX || w == Form1->Edit3) {
        EXPECT_FALSE(w->geometry().intersects(Form1->rect())) << context << ": " << nameOf(w);
        continue;
      }
      EXPECT_TRUE(inner.contains(w->geometry())) << context << ": " << nameOf(w) << " at "
                                                 << w->x() << "," << w->y() << " "
                                                 << w->width() << "x" << w->height();
    }
    for (size_t i = 0; i < shown.size(); ++i)
      for (size_t j = i + 1; j < shown.size(); ++j) {
        const QWidget* a = shown[i];
        const QWidget* b = shown[j];
        const bool titleName = (a == Form1->Gradient1 && b == Form1->Label1) ||
                               (a == Form1->Label1 && b == Form1->Gradient1);
        if (titleName) continue;
        EXPECT_FALSE(a->geometry().intersects(b->geometry()))
            << context << ": " << nameOf(a) << " and " << nameOf(b);
      }
  }

  static int textWidth(gui::TControl* control, const std::string& text) {
    return QFontMetrics(control->Font().ToQFont()).horizontalAdvance(gui::FromCp1251(text));
  }

  // The longest texts of the fields that keep their size.
  static void expectLongestTextsFit(const std::string& context) {
    struct Field {
      gui::TControl* control;
      const char* text;
    };
    const Field fields[] = {{Form1->Label10, "999.99"}, {Form1->RxLabel1, "254 "},
                            {Form1->RxLabel4, "PAL_BDGHI"}, {Form1->RxLabel6, "SVHS"},
                            {Form1->Label1, "The Vyx98"}};
    for (const Field& f : fields)
      EXPECT_LE(textWidth(f.control, f.text) + 1, f.control->Width())
          << context << ": " << nameOf(f.control) << " " << f.text;
    for (TLabel* label : {Form1->Label4, Form1->Label5, Form1->Label6, Form1->Label7,
                          Form1->Label8, Form1->Label9})
      EXPECT_GE(label->Width(), textWidth(label, label->Caption())) << context;
    EXPECT_LE(Form1->SpeedButton1->sizeHint().width(), Form1->SpeedButton1->width())
        << context << ": " << Form1->SpeedButton1->text().toStdString();
    const QFontMetrics field(Form1->RxSpinEdit1->font());
    EXPECT_LE(field.horizontalAdvance("999.99") + Form1->RxSpinEdit1->GetButtonWidth() + 6,
              Form1->RxSpinEdit1->width())
        << context;
  }
};

TEST_F(PanelLookTest, EveryControlFitsInRussianAndEnglish) {
  startWith({{russianName(), 191.25, 6}});
  struct Language {
    const char* name;
    const Texts* texts;
    const char* shot;
  };
  for (const Language& l : {Language{"Russian", &kRussian, "panel_ru.png"},
                            Language{"English", &kEnglish, "panel_en.png"}}) {
    setTexts(*l.texts);
    expectTidy(l.name);
    expectLongestTextsFit(l.name);
    EXPECT_TRUE(Form1->grab().save(screenshotPath(l.shot)));
  }
}

TEST_F(PanelLookTest, RolledUpTitleBarHoldsTheMiniControls) {
  startWith({{russianName(), 191.25, 6}});
  Form1->Image14Click();
  ASSERT_EQ(Form1->height(), panel::kCaption.height());
  expectTidy("rolled up");
  EXPECT_TRUE(Form1->grab().save(screenshotPath("panel_rolled.png")));
}

TEST_F(PanelLookTest, PicturesOfTheBuiltInLook) {
  startWithChannels(1);
  EXPECT_EQ(pictureOf(Form1->Image2).size(), panel::kBackground.size());
  EXPECT_EQ(pictureOf(Form1->Image1).size(), panel::kCaption.size());
  // Each picture has the size of its control.
  for (gui::TImage* i : {Form1->Image3, Form1->Image4, Form1->Image11, Form1->Image12,
                         Form1->Image13, Form1->Image14, Form1->Image21, Form1->Image22,
                         Form1->Image15, Form1->Image20})
    EXPECT_EQ(pictureOf(i).size(), i->size()) << nameOf(i);
  // Three distinct states per channel button, two per option glyph.
  EXPECT_NE(pictureOf(Form1->Image9), pictureOf(Form1->Image5));
  EXPECT_NE(pictureOf(Form1->Image6), pictureOf(Form1->Image5));
  EXPECT_NE(pictureOf(Form1->Image10), pictureOf(Form1->Image8));
  EXPECT_NE(pictureOf(Form1->Image8), pictureOf(Form1->Image7));
  EXPECT_NE(pictureOf(Form1->ImageC), pictureOf(Form1->ImageN));
  // The sliders' bitmaps leave out their lower-left colour, which is the colour of the slider.
  for (rxslider::TRxSlider* s : {Form1->RxSlider9, Form1->RxSlider1, Form1->RxSlider7}) {
    for (gui::TBitmap* b : {s->ImageHThumb(), s->ImageHRuler(), s->ImageVThumb(),
                            s->ImageVRuler()}) {
      const QImage& image = b->Image();
      ASSERT_FALSE(image.isNull()) << nameOf(s);
      EXPECT_EQ(gui::ToQColor(panel::kWell), image.pixelColor(0, image.height() - 1))
          << nameOf(s);
    }
  }
  for (const char* tool : {panelart::kToolScheduler, panelart::kToolCapture,
                           panelart::kToolChannels, panelart::kToolSettings,
                           panelart::kToolTeletext})
    EXPECT_EQ(panelart::Picture(tool).size(), QSize(16, 16)) << tool;
}

TEST(PanelLook, ProgramAtTwiceTheScale) {
  testing_support::TempProgramFolder folder;
  folder.write("settings.ini", "[Common]\nTvWindowPresent=0\n");
  folder.write("channels.ini",
               "[Common]\nCurrentChannel=1\nNumOfChannels=1\n"
               "[TVCnl1]\nFreq=191.25\nSystem=SECAM\nName=Sim Five\nBrightness=50\n");
  const QString shot = screenshotPath("panel_2x.png");
  QFile::remove(shot);
  QProcess vyx;
  QProcessEnvironment env = ChildProgramEnvironment(folder.path(), shot, 300);
  env.insert("QT_SCALE_FACTOR", "2");
  ASSERT_NO_FATAL_FAILURE(RunChildProgram(vyx, env));
  EXPECT_EQ(vyx.exitCode(), 0) << vyx.readAllStandardError().toStdString();
  const QImage image(shot);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), 2 * panel::kBackground.size()) << "the panel alone, twice as large";
}

}  // namespace
}  // namespace viewer_test
