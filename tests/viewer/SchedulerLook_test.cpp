// The scheduler window's look at its own size: every control inside the window, none over
// another, every text in its place, in Russian and with English texts; screenshots written to
// VYX_SCREENSHOT_DIR.
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "PanelFixture.h"
#include "ScreenshotPath.h"
#include "controls/Rxclock.h"
#include "controls/TooleditDate.h"
#include "controls/TooleditMask.h"
#include "gui/Cp1251.h"
#include "gui/CustomLabel.h"
#include "viewer/Schu.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace viewer_test {
namespace {

// The window's texts as a language file sets them.
struct Texts {
  const char* headers[7];  // Panel4 .. Panel10
  const char* everyDay;    // Label1 .. Label10
  const char* today;       // Button2
  const char* exit;        // CheckBox13
  const char* switchOff;   // CheckBox14
};
const Texts kRussian = {{"Каждый", "день", "Дата", "Время", "Программа", "Полный", "экран"},
                        "Ежедневно", "Сегодня", "Выйти из программы в",
                        "и выключить компьютер"};
const Texts kEnglish = {{"Every", "day", "Date", "Time", "Program", "Full", "screen"},
                        "Every day", "Today", "Exit from program at", "with system shutdown"};

class SchedulerLookTest : public PanelTest {
protected:
  void openScheduler() {
    startWith({{gui::ToCp1251(QString::fromUtf8("Первый канал")), 191.25, 6},
               {"Sim One", 49.75, 6}});
    Form1->SpeedButton4Click();
    Form2->Timer1Timer();
    processEvents();
  }

  static void setTexts(const Texts& t) {
    QLabel* headers[] = {Form2->Panel4, Form2->Panel5, Form2->Panel6, Form2->Panel7,
                         Form2->Panel8, Form2->Panel9, Form2->Panel10};
    for (int i = 0; i < 7; ++i) headers[i]->setText(QString::fromUtf8(t.headers[i]));
    for (int n = 1; n <= kScheduleRows; ++n)
      Form2->Row(n).Label->SetCaption(gui::ToCp1251(QString::fromUtf8(t.everyDay)));
    Form2->Button2->setText(QString::fromUtf8(t.today));
    Form2->CheckBox13->setText(QString::fromUtf8(t.exit));
    Form2->CheckBox14->setText(QString::fromUtf8(t.switchOff));
  }

  static std::vector<QWidget*> shownControls() {
    std::vector<QWidget*> shown;
    for (QObject* child : Form2->children()) {
      auto* w = qobject_cast<QWidget*>(child);
      if (w && !w->isWindow() && w->isVisibleTo(Form2)) shown.push_back(w);
    }
    return shown;
  }

  static std::string nameOf(const QWidget* w) { return w->objectName().toStdString(); }

  // Inside the client area (the caption bar and its "X" above it), and no two on each other.
  static void expectTidy(const std::string& context) {
    const QRect inner = Form2->rect().adjusted(1, 1, -1, -1);
    const std::vector<QWidget*> shown = shownControls();
    for (QWidget* w : shown) {
      if (w == Form2->Panel1 || w == Form2->Panel3) {
        EXPECT_FALSE(w->geometry().intersects(Form2->rect())) << context << ": " << nameOf(w);
        continue;
      }
      EXPECT_TRUE(inner.contains(w->geometry())) << context << ": " << nameOf(w);
    }
    for (size_t i = 0; i < shown.size(); ++i)
      for (size_t j = i + 1; j < shown.size(); ++j)
        EXPECT_FALSE(shown[i]->geometry().intersects(shown[j]->geometry()))
            << context << ": " << nameOf(shown[i]) << " and " << nameOf(shown[j]);
  }

  // Every caption fits its control.
  static void expectTextsFit(const std::string& context) {
    for (QLabel* l : {Form2->Panel4, Form2->Panel5, Form2->Panel6, Form2->Panel7, Form2->Panel8,
                      Form2->Panel9, Form2->Panel10})
      EXPECT_LE(QFontMetrics(l->font()).horizontalAdvance(l->text()) + 4, l->width())
          << context << ": " << nameOf(l);
    for (QWidget* w : std::initializer_list<QWidget*>{Form2->Button2, Form2->CheckBox13,
                                                      Form2->CheckBox14, Form2->SpeedButton1})
      EXPECT_LE(w->sizeHint().width(), w->width()) << context << ": " << nameOf(w);
    gui::TCustomLabel* label = Form2->Row(1).Label;
    EXPECT_LE(QFontMetrics(label->Font().ToQFont())
                  .horizontalAdvance(gui::FromCp1251(label->Caption())),
              label->Width())
        << context;
    // A whole date and a whole time show in their fields.
    tooledit::TDateEdit* date = Form2->Row(1).DateEdit;
    EXPECT_LE(QFontMetrics(date->font()).horizontalAdvance(date->displayText()) +
                  date->ButtonWidth() + 8,
              date->width())
        << context;
    tooledit::TCustomMaskEdit* time = Form2->Row(1).MaskEdit;
    EXPECT_LE(QFontMetrics(time->font()).horizontalAdvance("00:00") + 8, time->width())
        << context;
    EXPECT_LE(QFontMetrics(Form2->RxClock1->font()).horizontalAdvance("00:00:00") + 4,
              Form2->RxClock1->width())
        << context;
  }
};

TEST_F(SchedulerLookTest, EveryControlFitsInRussianAndEnglish) {
  openScheduler();
  // Two rows every day, so that both the date field and its "Every day" label show.
  Form2->Row(2).EveryDay->setChecked(true);
  Form2->Row(5).EveryDay->setChecked(true);
  Form2->Row(1).ComboBox->setCurrentIndex(1);
  struct Language {
    const char* name;
    const Texts* texts;
    const char* shot;
  };
  for (const Language& l : {Language{"Russian", &kRussian, "scheduler_ru.png"},
                            Language{"English", &kEnglish, "scheduler_en.png"}}) {
    setTexts(*l.texts);
    expectTidy(l.name);
    expectTextsFit(l.name);
    EXPECT_TRUE(Form2->grab().save(screenshotPath(l.shot)));
  }
}

}  // namespace
}  // namespace viewer_test
