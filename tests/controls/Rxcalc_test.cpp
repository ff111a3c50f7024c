// The calculator: the engine's key sequences, the typing limit, memory keys, typed characters
// finding their keys, the clipboard, the keys' colours, and the modal dialog with screenshots.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTimer>

#include <string>
#include <vector>

#include "Rxctrls_test.h"
#include "controls/Rxcalc.h"
#include "controls/utils/Dateutil.h"
#include "gui/Cp1251.h"

using namespace gui;
using namespace rxcalc;

namespace {

class Panel : public TCalculatorPanel {
public:
  explicit Panel(TCalcPanelLayout layout = clPopup) : TCalculatorPanel(nullptr, layout) {}
  int beeps = 0;

protected:
  void Beep() override { ++beeps; }
};

void keys(TCalculatorPanel& panel, const std::string& sequence) {
  for (char c : sequence) panel.CalcKey(c);
}

}  // namespace

TEST(Calculator, KeySequencesRunFromLeftToRight) {
  struct Case {
    const char* keys;
    const char* display;
    TRxCalcState status;
    int beeps;
  } cases[] = {
      {"7/0=", "Error", csError, 1},
      {"7/0=5+", "Error", csError, 1},    // locked until cleared
      {"7/0=c", "0", csFirst, 1},
      {"5+=", "5", csFirst, 0},           // no number after '+': '=' only replaces it
      {"2+3*4=", "20", csFirst, 0},
      {"200+10%", "220", csFirst, 0},
      {"50*10%", "5", csFirst, 0},
      {"3+4==", "7", csFirst, 0},
      {"5+-3=", "2", csFirst, 0},
      {"2q", "1.4142135623731", csFirst, 0},
      {"4_Q", "Error", csError, 1},
      {"4R", "0.25", csFirst, 0},
      {"0R", "Error", csError, 1},
      {"1.5.2", "1.52", csValid, 0},
      {"1,5", "1.5", csValid, 0},
      {"12\b", "1", csValid, 0},
      {"1\b\b", "0", csValid, 0},
      {"5_\b", "0", csValid, 0},
      {"100000000*100000000=", "1E16", csFirst, 0},
      {"123456789012345", "123456789012345", csValid, 0},
      {"1234567890123456", "123456789012345", csValid, 1},  // the 16th digit beeps
      {"0.00000000000012", "0.0000000000001", csValid, 1},  // the separator counts too
      {"2*3\x1b", "0", csFirst, 0},
  };
  for (const Case& c : cases) {
    Panel panel;
    keys(panel, c.keys);
    EXPECT_EQ(panel.DisplayText(), c.display) << c.keys;
    EXPECT_EQ(panel.Status(), c.status) << c.keys;
    EXPECT_EQ(panel.beeps, c.beeps) << c.keys;
  }
}

TEST(Calculator, AResultThatIsNoFiniteNumberIsAnError) {
  Panel panel;
  int errors = 0;
  panel.OnCalcError = [&](TCalculatorPanel*) { ++errors; };
  panel.LoadValue(1e308);
  keys(panel, "*10=");
  EXPECT_EQ(panel.DisplayText(), "Error");
  EXPECT_EQ(errors, 1);
  EXPECT_DOUBLE_EQ(panel.GetDisplay(), 0);
}

TEST(Calculator, EventsOfResultsDisplayChangesAndKeys) {
  Panel panel;
  int results = 0, displays = 0, texts = 0;
  panel.OnResultKey = [&](TCalculatorPanel*) { ++results; };
  panel.OnDisplayChange = [&](TCalculatorPanel*) { ++displays; };
  panel.OnShownTextChange = [&](TCalculatorPanel*) { ++texts; };
  keys(panel, "12+3=");
  EXPECT_EQ(results, 1);
  EXPECT_EQ(displays, 1);  // only the result: typed digits are no display change
  EXPECT_GE(texts, 4);
  panel.CalcKey('\r');
  panel.CalcKey('%');
  EXPECT_EQ(results, 3);
  // OnCalcKey may change a key or drop it.
  panel.OnCalcKey = [](TCalculatorPanel*, char& key) {
    if (key == 'A') key = '7';
    if (key == '9') key = 0;
  };
  keys(panel, "C9a");
  EXPECT_EQ(panel.DisplayText(), "7");
}

TEST(Calculator, MemoryKeysOfTheDialogLayout) {
  Panel panel(clDialog);
  auto press = [&](uint8_t kind) { panel.ButtonOfKind(kind)->ButtonClick(); };
  keys(panel, "12");
  press(ckMS);
  EXPECT_DOUBLE_EQ(panel.Memory(), 12);
  EXPECT_EQ(panel.MemoryLabel()->Caption(), "M");
  keys(panel, "3");
  press(ckMP);
  EXPECT_DOUBLE_EQ(panel.Memory(), 15);
  keys(panel, "C+");
  press(ckMR);
  EXPECT_EQ(panel.DisplayText(), "15");
  EXPECT_EQ(panel.Status(), csValid);
  keys(panel, "=");
  EXPECT_EQ(panel.DisplayText(), "15");
  keys(panel, "1/0=");
  press(ckMS);  // nothing in the error state
  EXPECT_DOUBLE_EQ(panel.Memory(), 15);
  press(ckMC);
  EXPECT_DOUBLE_EQ(panel.Memory(), 0);
  EXPECT_EQ(panel.MemoryLabel()->Caption(), "");
  // OK only beeps in the error state; otherwise it reports.
  int oks = 0;
  panel.OnOkKey = [&](TCalculatorPanel*) { ++oks; };
  press(ckOk);
  EXPECT_EQ(oks, 0);
  EXPECT_EQ(panel.beeps, 2);
  keys(panel, "C");
  press(ckOk);
  EXPECT_EQ(oks, 1);
  // A recalled number with an exponent takes no decimal point (it would read as no number).
  panel.SetMemory(1e16);
  keys(panel, "C");
  press(ckMR);
  keys(panel, ".");
  EXPECT_EQ(panel.DisplayText(), "1E16");
  EXPECT_DOUBLE_EQ(panel.GetDisplay(), 1e16);
  panel.SetMemory(0);
}

TEST(Calculator, TypedCharactersPressTheirKeys) {
  Panel popup(clPopup);
  std::vector<std::string> pressed;
  for (TCalcButton* button : popup.Buttons()) {
    auto click = button->OnClick;
    button->OnClick = [&pressed, click, button](TControl* sender) {
      pressed.push_back(button->Caption());
      click(sender);
    };
  }
  for (char c : std::string("7,\r\x1bq")) popup.CalcKeyPress(c);
  // 'Q' has no key in the drop-down: it goes straight to the engine.
  EXPECT_EQ(pressed, (std::vector<std::string>{"7", ".", "=", "C"}));
  EXPECT_EQ(popup.FindButton('9')->Tag(), 9);
  EXPECT_EQ(popup.FindButton('q'), nullptr);
  Panel dialog(clDialog);
  EXPECT_EQ(dialog.FindButton('q')->KeyKind(), ckSqrt);
  EXPECT_EQ(dialog.FindButton('\b')->KeyKind(), ckBackspace);
}

TEST(Calculator, KeysHaveTheirKindsColoursAndTags) {
  struct Case {
    uint8_t kind;
    TColor colour;
    int tag;
  } cases[] = {{1, clBtnText, 0},          {ckSign, clBtnText, 10}, {ckAdd, clPurple, 15},
               {ckEquals, clPurple, 19},   {ckSqrt, clNavy, 16},    {ckBackspace, clMaroon, 20},
               {ckClear, clMaroon, 21},    {ckMC, clNavy, -1},      {ckOk, clBtnText, -1}};
  Panel panel(clDialog);
  for (const Case& c : cases) {
    TCalcButton* button = panel.ButtonOfKind(c.kind);
    ASSERT_NE(button, nullptr) << int(c.kind);
    EXPECT_EQ(button->Font().Color, c.colour) << int(c.kind);
    EXPECT_TRUE(button->Font().Style & fsBold) << int(c.kind);
    EXPECT_EQ(button->Tag(), c.tag) << int(c.kind);
  }
  EXPECT_EQ(panel.Width(), 240);
  EXPECT_EQ(panel.ButtonOfKind(ckClear)->Width(), 44);
  EXPECT_EQ(panel.ButtonOfKind(ckAdd)->Caption(), "");  // a glyph instead
  EXPECT_FALSE(panel.ButtonOfKind(ckAdd)->Glyph().Empty());
  Panel popup(clPopup);
  EXPECT_EQ(popup.Width(), 98);
  EXPECT_EQ(popup.ButtonOfKind(ckEquals)->Width(), 44);
  EXPECT_EQ(popup.ButtonOfKind(ckAdd)->Caption(), "+");
}

TEST(Calculator, CopyAndPasteGoThroughTheClipboard) {
  dateutil::FormatSettings fs = dateutil::CurrentFormatSettings();
  fs.currencyString = "$";
  dateutil::SetFormatSettings(fs);
  Panel panel;
  keys(panel, "6*7=\x03");
  EXPECT_EQ(QApplication::clipboard()->text(), "42");
  QApplication::clipboard()->setText(" $1234.5 ");
  panel.CalcKey(22);
  EXPECT_EQ(panel.DisplayText(), "1234.5");
  QApplication::clipboard()->setText("abc");
  panel.CalcKey(22);
  EXPECT_EQ(panel.DisplayText(), "0");
  dateutil::SetFormatSettings(dateutil::SystemFormatSettings());
}

TEST(CalculatorDialog, OkTakesTheValueAndTheMemory) {
  TRxCalculator calculator;
  calculator.SetValue(6);
  EXPECT_EQ(calculator.Title(), "Calculator");
  int changes = 0;
  calculator.OnChange = [&](TRxCalculator*) { ++changes; };
  QTimer::singleShot(0, [&] {
    TRxCalculatorForm* form = calculator.Form();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Display()->Caption(), "6");
    for (char c : std::string("*7=")) form->CalcPanel()->CalcKeyPress(c);
    EXPECT_EQ(form->Display()->Caption(), "42");
    form->CalcPanel()->ButtonOfKind(ckMS)->ButtonClick();
    form->CalcPanel()->ButtonOfKind(ckOk)->ButtonClick();
  });
  EXPECT_TRUE(calculator.Execute());
  EXPECT_DOUBLE_EQ(calculator.Value(), 42);
  EXPECT_DOUBLE_EQ(calculator.Memory(), 42);
  EXPECT_EQ(changes, 1);
  QTimer::singleShot(0, [&] {
    TRxCalculatorForm* form = calculator.Form();
    EXPECT_EQ(form->CalcPanel()->MemoryLabel()->Caption(), "M");
    // Escape clears rather than closing; cancel closes.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(form, &escape);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Display()->Caption(), "0");
    form->CalcPanel()->ButtonOfKind(ckCancel)->ButtonClick();
  });
  EXPECT_FALSE(calculator.Execute());
  EXPECT_DOUBLE_EQ(calculator.Value(), 42);
}

TEST(CalculatorDialog, Screenshots) {
  struct Shot {
    const char* name;
    QString title;
    const char* keys;
  } shots[] = {{"calculator_en.png", "Calculator", "1234.5*2="},
               {"calculator_ru.png", QString::fromUtf8("Калькулятор"), "2Q"}};
  for (const Shot& shot : shots) {
    TRxCalculatorForm form;
    form.setWindowTitle(shot.title);
    form.CalcPanel()->SetMemory(1);
    for (const char* c = shot.keys; *c; ++c) form.CalcPanel()->CalcKey(*c);
    form.show();
    QApplication::processEvents();
    QImage picture = form.grab().toImage();
    ASSERT_TRUE(picture.save(QString::fromStdString(rxtest::screenshotPath(shot.name))));
  }
}
