// The spin edit: values and their texts, typing rules, the locked editor, steps, leaving the
// field, Enter in a dialog and the button beside the text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

#include "controls/Rxspin.h"

using namespace gui;
using namespace rxspin;

namespace {

class SpinEdit : public TRxSpinEdit {
public:
  using TRxSpinEdit::TRxSpinEdit;
  int beeps = 0;

protected:
  void Beep() override { ++beeps; }
};

void key(QWidget* w, int qtKey, const QString& text = {},
         Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent event(QEvent::KeyPress, qtKey, modifiers, text);
  QCoreApplication::sendEvent(w, &event);
}

// Typing one character as the keyboard would send it.
void type(QWidget* w, char c) {
  int qtKey = c >= 'a' && c <= 'z' ? Qt::Key_A + (c - 'a') : QChar(c).toUpper().unicode();
  key(w, qtKey, QString(QChar(c)));
}

void leave(QWidget* w) {
  QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(w, &event);
}

}  // namespace

TEST(SpinEdit, StartsWithTheDeclaredDefaults) {
  SpinEdit edit;
  EXPECT_EQ(edit.Text(), "0");
  EXPECT_EQ(edit.Value(), 0.0);
  EXPECT_EQ(edit.Increment(), 1.0);
  EXPECT_EQ(edit.MinValue(), 0.0);
  EXPECT_EQ(edit.MaxValue(), 0.0);
  EXPECT_EQ(edit.Decimal(), 2);
  EXPECT_TRUE(edit.EditorEnabled());
  EXPECT_TRUE(edit.ArrowKeys());
  EXPECT_EQ(edit.ValueType(), vtInt);
  EXPECT_EQ(edit.ButtonKind(), bkDiagonal);
  EXPECT_EQ(edit.Alignment(), taLeftJustify);
  ASSERT_NE(edit.Button(), nullptr);
  EXPECT_EQ(edit.UpDown(), nullptr);
}

TEST(SpinEdit, ValuesAreClampedAndWrittenInTheirTypesForm) {
  struct Case {
    TValueType type;
    double min, max, value;
    const char* text;
  } cases[] = {
      {vtInt, 0, 0, 2.5, "2"},        {vtInt, 0, 0, 3.5, "4"},        {vtInt, 0, 0, -2.5, "-2"},
      {vtHex, 0, 0, 255, "FF"},       {vtHex, 0, 0, 0, "0"},          {vtFloat, 0, 0, 90.5, "90.50"},
      {vtInt, 1, 30, 45, "30"},       {vtInt, 1, 30, -3, "1"},        {vtInt, 0, 0, 1e5, "100000"},
      {vtFloat, 40, 900, 12, "40.00"}, {vtFloat, 0, 999, 89.999, "90.00"},
  };
  for (const Case& c : cases) {
    SpinEdit edit;
    edit.SetValueType(c.type);
    edit.SetMinValue(c.min);
    edit.SetMaxValue(c.max);
    edit.SetValue(c.value);
    EXPECT_EQ(edit.Text(), c.text) << c.value;
  }
}

TEST(SpinEdit, TextReadsAsAValueOrAsMinValueWhenItDoesNotConvert) {
  struct Case {
    TValueType type;
    double min;
    const char* text;
    double value;
  } cases[] = {
      {vtHex, 0, "ff", 255},   {vtHex, 7.9, "zz", 7},     {vtHex, 0, "", 0},
      {vtInt, 1, "", 1},       {vtInt, 1.7, "12a", 1},    {vtInt, 0, "-12", -12},
      {vtFloat, 2.5, "abc", 2.5}, {vtFloat, 0, "1e2", 100}, {vtFloat, 0, "89.99", 89.99},
  };
  for (const Case& c : cases) {
    SpinEdit edit;
    edit.SetValueType(c.type);
    edit.SetMinValue(c.min);
    edit.SetText(c.text);
    EXPECT_EQ(edit.Value(), c.value) << c.text;
  }
}

TEST(SpinEdit, ChangingTheValueTypeKeepsTheValue) {
  SpinEdit edit;
  edit.SetValueType(vtFloat);
  edit.SetIncrement(0.01);
  edit.SetValue(12.5);
  EXPECT_EQ(edit.Text(), "12.50");
  edit.SetDecimal(1);
  EXPECT_EQ(edit.Text(), "12.5");
  edit.SetValueType(vtInt);
  EXPECT_EQ(edit.Text(), "12");  // halves to even
  EXPECT_EQ(edit.Increment(), 1.0);  // 0.01 rounds to 0, which becomes 1
  edit.SetValue(255);
  edit.SetValueType(vtHex);
  EXPECT_EQ(edit.Text(), "FF");
  edit.SetValueType(vtInt);
  EXPECT_EQ(edit.Text(), "255");
}

TEST(SpinEdit, LeavingTheFieldClampsOnlyAValueOutOfRange) {
  struct Case {
    double min, max;
    const char* typed;
    const char* left;
    int exits;
  } cases[] = {
      {1, 30, "45", "30", 1}, {1, 30, "", "", 1}, {1, 30, "12", "12", 1}, {0, 0, "45", "45", 1},
      {1, 30, "-4", "1", 1},
  };
  for (const Case& c : cases) {
    SpinEdit edit;
    edit.SetMinValue(c.min);
    edit.SetMaxValue(c.max);
    int exits = 0, changes = 0;
    edit.OnExit = [&](QWidget*) { ++exits; };
    edit.SetText(c.typed);
    edit.OnChange = [&](QWidget*) { ++changes; };
    leave(&edit);
    EXPECT_EQ(edit.Text(), c.left) << c.typed;
    EXPECT_EQ(exits, c.exits) << c.typed;
    EXPECT_EQ(changes, std::string(c.typed) == c.left ? 0 : 1) << c.typed;
  }
  SpinEdit empty;
  empty.SetMinValue(1);
  empty.SetMaxValue(30);
  empty.SetText("");
  leave(&empty);
  EXPECT_EQ(empty.Value(), 1.0);
}

TEST(SpinEdit, TypingTakesOnlyCharactersThatCanFormANumberOfTheType) {
  struct Case {
    TValueType type;
    const char* before;
    char typed;
    const char* after;
  } cases[] = {
      {vtInt, "1", '5', "15"},     {vtInt, "1", 'a', "1"},       {vtInt, "1", '.', "1"},
      {vtInt, "1", '-', "1-"},     {vtFloat, "1", '.', "1."},    {vtFloat, "1.5", '.', "1.5"},
      {vtFloat, "1.5", 'e', "1.5e"}, {vtFloat, "1e5", 'E', "1e5"}, {vtHex, "A", 'f', "Af"},
      {vtHex, "A", 'g', "A"},
  };
  for (const Case& c : cases) {
    SpinEdit edit;
    edit.SetValueType(c.type);
    edit.SetText(c.before);
    type(&edit, c.typed);
    EXPECT_EQ(edit.Text(), c.after) << c.before << " + " << c.typed;
    bool refused = std::string(c.before) == c.after;
    EXPECT_EQ(edit.beeps, refused ? 1 : 0) << c.before << " + " << c.typed;
  }
}

TEST(SpinEdit, ALockedEditorRefusesTypingDeletingAndPastingButStillSteps) {
  SpinEdit edit;
  edit.SetText("12");
  QApplication::clipboard()->setText("99");
  key(&edit, Qt::Key_V, {}, Qt::ControlModifier);
  ASSERT_EQ(edit.Text(), "1299") << "the clipboard must work for this test";
  edit.SetText("12");
  edit.SetEditorEnabled(false);
  type(&edit, '5');
  key(&edit, Qt::Key_Backspace, "\b");
  edit.setCursorPosition(0);
  key(&edit, Qt::Key_Delete, "\x7f");
  key(&edit, Qt::Key_V, {}, Qt::ControlModifier);
  key(&edit, Qt::Key_X, {}, Qt::ControlModifier);
  EXPECT_EQ(edit.Text(), "12");
  EXPECT_EQ(edit.beeps, 3);  // the character, Backspace and Delete
  key(&edit, Qt::Key_Up);
  EXPECT_EQ(edit.Text(), "13");
  edit.Button()->OnTopClick(edit.Button());
  EXPECT_EQ(edit.Text(), "14");
  // Unlocked again, Backspace and Delete edit as usual.
  edit.SetEditorEnabled(true);
  edit.setCursorPosition(2);
  key(&edit, Qt::Key_Backspace, "\b");
  edit.setCursorPosition(0);
  key(&edit, Qt::Key_Delete, "\x7f");
  EXPECT_EQ(edit.Text(), "");
  EXPECT_EQ(edit.beeps, 3);
}

TEST(SpinEdit, AStepRewritesTheTextAndFiresOneChangeAndItsClick) {
  SpinEdit edit;
  edit.SetValueType(vtFloat);
  edit.SetIncrement(0.01);
  edit.SetMaxValue(999);
  edit.SetText("89.99");
  int changes = 0, tops = 0, bottoms = 0;
  edit.OnChange = [&](QWidget*) { ++changes; };
  edit.OnTopClick = [&](QWidget*) { ++tops; };
  edit.OnBottomClick = [&](QWidget*) { ++bottoms; };
  edit.UpClick();
  EXPECT_EQ(edit.Text(), "90.00");
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(edit.Modified());
  key(&edit, Qt::Key_Down);
  EXPECT_EQ(edit.Text(), "89.99");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(tops, 1);
  EXPECT_EQ(bottoms, 1);
  // At the top the text stays: no change event, but the click still fires.
  edit.SetText("999.00");
  changes = 0;
  edit.UpClick();
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(tops, 2);
  // Without ArrowKeys the arrows leave the value alone.
  edit.SetArrowKeys(false);
  key(&edit, Qt::Key_Down);
  EXPECT_EQ(edit.Text(), "999.00");
  // A read-only edit only beeps.
  edit.SetReadOnly(true);
  edit.DownClick();
  EXPECT_EQ(edit.Text(), "999.00");
  EXPECT_EQ(bottoms, 1);
  EXPECT_EQ(edit.beeps, 1);
}

TEST(SpinEdit, AStepFromTextThatDoesNotConvertStartsAtMinValue) {
  SpinEdit edit;
  edit.SetMinValue(5);
  edit.SetMaxValue(10);
  edit.SetText("");
  edit.UpClick();
  EXPECT_EQ(edit.Text(), "6");
}

TEST(SpinEdit, EnterAndEscapeGoToTheDialogWithoutABeep) {
  QDialog dialog;
  auto* edit = new SpinEdit(&dialog);
  auto* ok = new QPushButton("Ok", &dialog);
  ok->setDefault(true);
  int clicks = 0;
  QObject::connect(ok, &QPushButton::clicked, [&] { ++clicks; });
  dialog.show();
  key(edit, Qt::Key_Return, "\r");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(edit->beeps, 0);
  key(edit, Qt::Key_Escape, "\x1b");
  EXPECT_FALSE(dialog.isVisible());
}

TEST(SpinEdit, TheStandardButtonStepsThroughItsArrows) {
  SpinEdit edit;
  edit.SetButtonKind(bkStandard);
  ASSERT_NE(edit.UpDown(), nullptr);
  EXPECT_EQ(edit.Button(), nullptr);
  EXPECT_EQ(edit.GetButtonWidth(), DefaultButtonWidth());
  EXPECT_LE(DefaultButtonWidth(), 15);
  edit.UpDown()->Button(btNext)->click();
  edit.UpDown()->Button(btNext)->click();
  EXPECT_EQ(edit.Text(), "2");
  EXPECT_EQ(edit.UpDown()->Position(), 0);
  edit.UpDown()->Button(btPrev)->click();
  EXPECT_EQ(edit.Text(), "1");
  edit.SetButtonKind(bkDiagonal);
  EXPECT_EQ(edit.UpDown(), nullptr);
  ASSERT_NE(edit.Button(), nullptr);
}

TEST(SpinEdit, TheDiagonalButtonIsSquareInsideTheBorder) {
  // Windows places it in the client area; the widget's corner lies one border width outside.
  struct Case {
    bool ctl3D;
    TBorderStyle border;
    QRect bounds;
  } cases[] = {
      {true, bsSingle, {71, 1, 27, 27}},
      {false, bsSingle, {71, 1, 30, 30}},
      {true, bsNone, {70, 0, 30, 30}},
  };
  for (const Case& c : cases) {
    SpinEdit edit;
    edit.SetCtl3D(c.ctl3D);
    edit.SetBorderStyle(c.border);
    edit.show();
    edit.resize(100, 30);
    EXPECT_EQ(edit.ButtonWindow()->geometry(), c.bounds) << c.ctl3D << c.border;
    EXPECT_EQ(edit.Button()->Width(), c.bounds.width());
    EXPECT_EQ(edit.textMargins().right(), c.bounds.width() + 2);
  }
  SpinEdit low;
  low.show();
  low.resize(100, 3);
  EXPECT_EQ(low.height(), low.GetMinHeight());
}
