// The numeric edits: reading texts as numbers, typing rules, the range and the exit check, the
// two text forms with the regional thousand separator, paste, the drop-down calculator, the
// currency edit, and screenshots of the capture window's fields.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPainter>

#include "PickdateFixture.h"
#include "Rxctrls_test.h"
#include "controls/Curredit.h"
#include "controls/utils/Dateutil.h"
#include "gui/Cp1251.h"
#include "gui/Exceptions.h"

using namespace gui;
using namespace curredit;
using pickdatetest::sendKey;
using pickdatetest::typeText;

namespace {

class Edit : public TRxCalcEdit {
public:
  using TRxCalcEdit::TRxCalcEdit;
  using TRxCalcEdit::DoExit;
  int beeps = 0;

protected:
  void Beep() override { ++beeps; }
};

// Regional settings with a given thousand separator (the decimal point is always '.').
class NumEdit : public testing::Test {
protected:
  void SetUp() override { setThousands(','); }
  void TearDown() override { dateutil::SetFormatSettings(dateutil::SystemFormatSettings()); }
  static void setThousands(char separator) {
    dateutil::FormatSettings fs = pickdatetest::englishDayMonthYear();
    fs.thousandSeparator = separator;
    fs.currencyString = "$";
    fs.currencyFormat = 0;
    fs.currencyDecimals = 2;
    dateutil::SetFormatSettings(fs);
  }
  Edit& make() {
    edit = new Edit(&host.window);
    edit->setGeometry(16, 16, 121, 21);
    edit->show();
    host.Activate();
    edit->setFocus();
    return *edit;
  }
  void type(const char* text) { typeText(edit, QString::fromLatin1(text)); }

  rxtest::Host host;
  Edit* edit = nullptr;
};

}  // namespace

TEST_F(NumEdit, StartsWithTheDeclaredDefaults) {
  Edit e;
  EXPECT_EQ(e.Alignment(), taRightJustify);
  EXPECT_EQ(e.DecimalPlaces(), 2u);
  EXPECT_TRUE(e.BeepOnError());
  EXPECT_FALSE(e.CheckOnExit());
  EXPECT_TRUE(e.ZeroEmpty());
  EXPECT_FALSE(e.FormatOnEditing());
  EXPECT_FALSE(e.AutoSize());
  EXPECT_EQ(e.DisplayFormat(), ",0.##");
  EXPECT_FALSE(e.IsDisplayFormatStored());
  EXPECT_EQ(e.ButtonWidth(), 20);
  EXPECT_EQ(e.Glyph().Width(), 28);
  EXPECT_EQ(e.NumGlyphs(), 2);
  EXPECT_EQ(e.ClickKey(), 32808);
  EXPECT_EQ(e.Text(), "");
  EXPECT_DOUBLE_EQ(e.Value(), 0);
  ASSERT_NE(e.Calculator(), nullptr);
}

TEST_F(NumEdit, TextsReadAsNumbersWithTheRegionalSeparators) {
  struct Case {
    char thousands;
    const char* text;
    const char* valText;
  } cases[] = {
      {',', "", "0"},           {',', "-", "-0"},          {',', " 1,234.5 ", "1234.5"},
      {'\xA0', "1\xA0" "234,5", "1234.5"},                 {'\xA0', "2.5", "2.5"},
      {'.', "1.234", "1.234"},  // equal separators: the point stays a decimal point
  };
  for (const Case& c : cases) {
    setThousands(c.thousands);
    EXPECT_EQ(TextToValText(c.text), c.valText) << c.text;
  }
  // The whole text counts: a long run of digits before a stray mark is no number, and a long
  // number keeps all its digits.
  EXPECT_FALSE(ParseNumberText(std::string(63, '1') + "E"));
  double value = 0;
  ASSERT_TRUE(ParseNumberText("1" + std::string(69, '0'), &value));
  EXPECT_DOUBLE_EQ(value, 1e69);
  EXPECT_FALSE(ParseNumberText("12a"));
}

TEST_F(NumEdit, TypingKeepsTheTextANumberWithinTheDecimalPlaces) {
  setThousands('\xA0');  // a ',' is then the decimal point
  Edit& e = make();
  type("12,34");
  EXPECT_EQ(e.Text(), "12.34");
  EXPECT_EQ(e.beeps, 0);
  type("5");
  EXPECT_EQ(e.Text(), "12.34") << "a third decimal is refused";
  EXPECT_EQ(e.beeps, 1);
  type("x");
  EXPECT_EQ(e.beeps, 2);
  EXPECT_DOUBLE_EQ(e.Value(), 12.34);
  // A non-negative range refuses the minus sign.
  e.SetMaxValue(10);
  e.SetText("");
  type("-");
  EXPECT_EQ(e.Text(), "");
  EXPECT_EQ(e.beeps, 3);
}

TEST_F(NumEdit, TheRangeClampsSilentlyAndTheExitCheckRaises) {
  Edit& e = make();
  e.SetMinValue(1);
  e.SetMaxValue(30);
  struct Case {
    double set, value;
  } cases[] = {{0, 1}, {31, 30}, {12.5, 12.5}};
  for (const Case& c : cases) {
    e.SetValue(c.set);
    EXPECT_DOUBLE_EQ(e.Value(), c.value) << c.set;
  }
  e.SetCheckOnExit(true);
  e.selectAll();
  type("45");
  try {
    e.DoExit();
    FAIL() << "no range error";
  } catch (const ERangeError& error) {
    EXPECT_EQ(error.Message(), "Value must be between 1.00 and 30.00");
  }
  EXPECT_TRUE(e.hasFocus());
  EXPECT_EQ(e.selectedText(), "45");
  // A text that is no number fails the exit too.
  e.SetCheckOnExit(false);
  e.setText("1e");
  EXPECT_THROW(e.DoExit(), EConvertError);
  EXPECT_DOUBLE_EQ(e.Value(), 1) << "an unreadable text reads as MinValue";
}

TEST_F(NumEdit, AReversedRangeKeepsOnlyTheBoundThatIsNotZero) {
  Edit e;
  e.SetMinValue(5);
  e.SetValue(3);
  EXPECT_DOUBLE_EQ(e.Value(), 5);
  e.SetValue(1000);
  EXPECT_DOUBLE_EQ(e.Value(), 1000);
}

TEST_F(NumEdit, ZeroIsEmptyWhileFocusedAndFormattedOtherwise) {
  Edit& e = make();
  EXPECT_EQ(e.Text(), "");
  EXPECT_EQ(e.GetDisplayText(), "0");
  e.SetValue(1234.567);
  EXPECT_EQ(e.Text(), "1234.57");
  EXPECT_EQ(e.GetDisplayText(), "1,234.57");
  struct Case {
    char thousands;
    const char* shown;
  } cases[] = {{'\xA0', "1\xA0" "234.57"}, {'.', "1234.57"}};  // no groups when equal
  for (const Case& c : cases) {
    setThousands(c.thousands);
    EXPECT_EQ(e.GetDisplayText(), c.shown);
  }
}

TEST_F(NumEdit, FormatOnEditingGroupsOnlyWhenTheSeparatorsDiffer) {
  Edit& e = make();
  e.SetFormatOnEditing(true);
  type("12345");
  EXPECT_EQ(e.Text(), "12,345");
  EXPECT_DOUBLE_EQ(e.Value(), 12345);
  setThousands('.');
  e.SetText("");
  type("12345");
  EXPECT_EQ(e.Text(), "12345");
  EXPECT_DOUBLE_EQ(e.Value(), 12345);
  EXPECT_EQ(InsertThousandSeparators("-1234567.89E3", false), "-1234567.89E3");
  setThousands(',');
  EXPECT_EQ(InsertThousandSeparators("-1234567.89E3", true), "-1,234,567.89E3");
}

TEST_F(NumEdit, EscapeRevertsAndAPasteThatIsNoNumberIsUndone) {
  Edit& e = make();
  e.SetValue(7);
  e.selectAll();
  type("8");
  sendKey(&e, Qt::Key_Escape, Qt::NoModifier, "\x1b");
  EXPECT_EQ(e.Text(), "7");
  QApplication::clipboard()->setText("abc");
  e.selectAll();
  e.PasteText();
  EXPECT_EQ(e.Text(), "7");
  EXPECT_EQ(e.beeps, 1);
  QApplication::clipboard()->setText("12.5");
  e.selectAll();
  sendKey(&e, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(e.Text(), "12.5");
  EXPECT_DOUBLE_EQ(e.Value(), 12.5);
}

TEST_F(NumEdit, TheDropDownCalculatorHandsItsResultToTheEdit) {
  Edit& e = make();
  e.SetValue(21);
  e.EditButtonClick();
  ASSERT_TRUE(e.PopupVisible());
  EXPECT_EQ(e.Calculator()->GetPopupText(), "21");
  int changes = 0;
  e.OnChange = [&](QWidget*) { ++changes; };
  type("*2");
  EXPECT_EQ(e.Calculator()->GetPopupText(), "2");
  EXPECT_EQ(changes, 0);
  type("=");
  EXPECT_FALSE(e.PopupVisible());
  EXPECT_EQ(e.Text(), "42");
  EXPECT_EQ(changes, 1);
  EXPECT_DOUBLE_EQ(e.Value(), 42);
  // A text with thousand groups opens as its number.
  e.SetFormatOnEditing(true);
  e.SetValue(12345);
  ASSERT_EQ(e.Text(), "12,345");
  e.EditButtonClick();
  EXPECT_EQ(e.Calculator()->GetPopupText(), "12345");
}

TEST_F(NumEdit, WithoutAButtonNoKeyOpensTheCalculator) {
  Edit& e = make();
  e.SetButtonWidth(0);
  sendKey(&e, Qt::Key_Down, Qt::AltModifier);
  EXPECT_FALSE(e.PopupVisible());
}

TEST_F(NumEdit, TheCurrencyEditFollowsTheCurrencyFormat) {
  dateutil::FormatSettings fs = dateutil::CurrentFormatSettings();
  struct Case {
    std::string symbol;
    uint8_t format;
    const char* expected;
  } cases[] = {{"$", 0, "$,0.00;-$,0.00"},
               {"\xF0.", 3, ",0.00 \xF0'.';-,0.00 \xF0'.'"},
               {"", 3, ",0.00;-,0.00"}};
  for (const Case& c : cases) {
    fs.currencyString = c.symbol;
    fs.currencyFormat = c.format;
    dateutil::SetFormatSettings(fs);
    TCurrencyEdit e;
    EXPECT_EQ(e.DisplayFormat(), c.expected);
    EXPECT_EQ(e.ButtonWidth(), 0);
  }
  fs.currencyString = "\xF0.";
  fs.currencyFormat = 3;
  fs.thousandSeparator = '\xA0';
  dateutil::SetFormatSettings(fs);
  TCurrencyEdit e;
  e.SetValue(-1234.5);
  EXPECT_EQ(e.GetDisplayText(), "-1\xA0" "234.50 \xF0.");
}

// The capture window's three fields (no button, values 0, 10 and 30), one with a button, and
// one with the calculator dropped down.
TEST_F(NumEdit, Screenshots) {
  struct Shot {
    const char* name;
    char thousands;
  } shots[] = {{"numedit_en.png", ','}, {"numedit_ru.png", '\xA0'}};
  host.window.resize(300, 290);
  host.window.move(40, 40);
  for (const Shot& shot : shots) {
    setThousands(shot.thousands);
    std::vector<std::unique_ptr<Edit>> fields;
    const double values[] = {0, 10, 30, 1234.5};
    for (int i = 0; i < 4; ++i) {
      auto field = std::make_unique<Edit>(&host.window);
      field->setGeometry(16, 16 + 28 * i, 121, 21);
      if (i < 3) field->SetButtonWidth(0);
      if (i < 2) field->SetAlignment(taLeftJustify);
      field->SetValue(values[i]);
      field->show();
      fields.push_back(std::move(field));
    }
    Edit& open = make();
    open.move(16, 128);
    open.SetValue(99.5);
    host.Activate();
    open.setFocus();
    open.EditButtonClick();
    typeText(&open, "+1");
    ASSERT_TRUE(open.PopupVisible());
    QApplication::processEvents();
    QImage window = host.window.grab().toImage();
    QPainter painter(&window);
    rxcalc::TPopupCalculator* popup = open.Calculator();
    painter.drawImage(host.window.mapFromGlobal(popup->pos()), popup->grab().toImage());
    painter.end();
    ASSERT_TRUE(window.save(QString::fromStdString(rxtest::screenshotPath(shot.name))));
    delete edit;
  }
}
