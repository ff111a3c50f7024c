// The edit with a button: mask translation and blank places, the drop-down's placement and
// the ways it closes, keys, paste, caret and the quiet OnChange while it is open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "Rxctrls_test.h"
#include "controls/utils/Dateutil.h"
#include "controls/Tooledit.h"
#include "gui/Cp1251.h"

using namespace gui;
using namespace tooledit;

namespace {

// A drop-down that holds a text value.
class TextPopup : public TPopupWindow {
public:
  explicit TextPopup(QWidget* editor) : TPopupWindow(editor) { resize(120, 80); }
  QVariant GetValue() override { return value; }
  void SetValue(const QVariant& v) override { value = v; }
  QVariant value;
};

class TestCombo : public TCustomComboEdit {
public:
  explicit TestCombo(QWidget* parent) : TCustomComboEdit(parent) {
    popup = new TextPopup(this);
    SetPopup(popup);
  }
  ~TestCombo() override { delete popup; }
  TextPopup* popup;
};

void key(QWidget* w, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
         const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
  QCoreApplication::sendEvent(w, &press);
}

class ComboEdit : public testing::Test {
protected:
  ComboEdit() {
    host.window.resize(300, 200);
    edit = new TestCombo(&host.window);
    edit->setGeometry(20, 20, 150, 21);
    other = new QPushButton(QStringLiteral("Other"), &host.window);
    other->setGeometry(20, 100, 80, 24);
    host.Activate();
    edit->setFocus();
    QApplication::processEvents();
  }
  rxtest::Host host;
  TestCombo* edit;
  QPushButton* other;
};

TEST(MaskToQt, TranslatesTheClassLibraryLettersAndSeparators) {
  struct Case {
    const char* mask;
    const char* qt;
  } cases[] = {
      {"!99/99/9999;1; ", "00.00.0000; "},
      {"!9999/99/99;1;_", "0000.00.00;_"},
      {"00:00;1;_", "99:99;_"},
      {"LlAaCc#", "AaNnXx#;_"},
      {"\\D9", "\\D0;_"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(MaskToQt(c.mask, '.', ':'), c.qt) << c.mask;
  EXPECT_EQ(MaskToQt("99/99", 'h', ':'), "00\\h00;_");  // a separator that is a Qt letter
}

TEST(MaskEdit, TheTextKeepsTheBlankPlaces) {
  dateutil::FormatSettings fs;
  fs.dateSeparator = '.';
  dateutil::SetFormatSettings(fs);
  TCustomMaskEdit edit;
  edit.SetEditMask("!99/99/9999;1;_");
  edit.SetText("27.04.01");
  EXPECT_EQ(edit.EditText(), "27.04.01__");
  EXPECT_EQ(edit.Text(), "27.04.01  ");
  edit.SetText("");
  EXPECT_EQ(edit.Text(), "  .  .    ");
  dateutil::SetFormatSettings(dateutil::SystemFormatSettings());
}

TEST_F(ComboEdit, TheButtonAndAltDownOpenAndCloseTheDropDown) {
  edit->SetText("abc");
  key(edit, Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(edit->PopupVisible());
  EXPECT_TRUE(edit->popup->isVisible());
  EXPECT_EQ(edit->popup->value.toString(), "abc");
  EXPECT_TRUE(edit->isReadOnly());  // typing is blocked while open
  edit->popup->value = QStringLiteral("picked");
  key(edit, Qt::Key_Return);
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(edit->Text(), "picked");
  EXPECT_FALSE(edit->isReadOnly());
}

TEST_F(ComboEdit, WithButtonWidthZeroNoKeyOpensItButEnterAndEscapeStillClose) {
  edit->SetButtonWidth(0);
  EXPECT_FALSE(edit->ButtonHolder()->isVisible());
  key(edit, Qt::Key_Down, Qt::AltModifier);
  EXPECT_FALSE(edit->PopupVisible());
  edit->PopupDropDown(false);
  ASSERT_TRUE(edit->PopupVisible());
  key(edit, Qt::Key_Escape);
  EXPECT_FALSE(edit->PopupVisible());
}

TEST_F(ComboEdit, EscapeRejectsAndAClickElsewhereOrIntoTheEditRejects) {
  edit->SetText("old");
  for (int way = 0; way < 3; ++way) {
    edit->EditButtonClick();
    ASSERT_TRUE(edit->PopupVisible()) << way;
    edit->popup->value = QStringLiteral("new");
    if (way == 0) key(edit, Qt::Key_Escape);
    if (way == 1) rxtest::press(other, {5, 5});
    if (way == 2) rxtest::press(edit, {5, 5});
    EXPECT_FALSE(edit->PopupVisible()) << way;
    EXPECT_EQ(edit->Text(), "old") << way;
    if (way == 1) rxtest::release(other, {5, 5});
    if (way == 2) rxtest::release(edit, {5, 5});
  }
}

TEST_F(ComboEdit, APressOnTheButtonWhileOpenAcceptsAndDoesNotReopen) {
  edit->EditButtonClick();
  edit->popup->value = QStringLiteral("taken");
  QWidget* button = edit->Button();
  rxtest::press(button, {5, 5});
  rxtest::release(button, {5, 5});
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(edit->Text(), "taken");
}

TEST_F(ComboEdit, OnChangeIsQuietWhileOpenAndFiresOnceOnAccept) {
  int changes = 0;
  edit->OnChange = [&](QWidget*) { ++changes; };
  edit->EditButtonClick();
  edit->popup->value = QStringLiteral("x");
  edit->PopupCloseUp(edit->popup, true);
  EXPECT_EQ(changes, 1);
  edit->EditButtonClick();
  edit->PopupCloseUp(edit->popup, true);  // the same value again
  EXPECT_EQ(changes, 1);
}

TEST_F(ComboEdit, ReadOnlyButtonDoesNothingAndPasteNeedsDirectInput) {
  edit->SetReadOnly(true);
  edit->EditButtonClick();
  EXPECT_FALSE(edit->PopupVisible());
  edit->SetReadOnly(false);
  edit->SetText("keep");
  edit->SetDirectInput(false);
  QApplication::clipboard()->setText(QStringLiteral("pasted"));
  edit->selectAll();
  key(edit, Qt::Key_V, Qt::ControlModifier);
  key(edit, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(edit->Text(), "keep");
}

TEST_F(ComboEdit, TheCaretIsTwoPixelsWideForABoldFont) {
  auto caret = [&] { return edit->style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, edit); };
  EXPECT_EQ(caret(), 1);
  TFont bold = edit->Font();
  bold.Style = fsBold;
  edit->SetFont(bold);
  EXPECT_EQ(caret(), 2);
}

TEST_F(ComboEdit, TheDropDownOpensAboveWhenBelowIsTooLowAndStaysOnTheScreen) {
  QRect screen = edit->screen()->geometry();
  edit->popup->resize(120, 80);
  struct Case {
    QPoint editAt;
    int popupWidth;
    TPopupAlign align;
  } cases[] = {
      {{100, 100}, 120, epaRight},
      {{100, screen.height() - 40}, 120, epaRight},
      {{5, 100}, 400, epaRight},
      {{screen.width() - 160, 100}, 400, epaLeft},
  };
  for (const Case& c : cases) {
    host.window.move(c.editAt - edit->pos());
    QApplication::processEvents();
    edit->popup->resize(std::min(c.popupWidth, screen.width()), 80);
    edit->SetPopupAlign(c.align);
    edit->PopupDropDown(false);
    QPoint editAt = edit->mapToGlobal(QPoint(0, 0));
    QRect popup = edit->popup->geometry();
    bool below = editAt.y() + edit->height() + 80 <= screen.bottom() + 1;
    EXPECT_EQ(popup.top(), below ? editAt.y() + edit->height() : editAt.y() - 80) << c.editAt.y();
    EXPECT_GE(popup.left(), screen.left());
    EXPECT_LE(popup.right(), screen.right());
    if (c.popupWidth == 120) {
      EXPECT_EQ(popup.right(), editAt.x() + edit->width() - 1);
    }
    edit->PopupCloseUp(edit->popup, false);
  }
}

TEST_F(ComboEdit, EnterWithoutADropDownReachesTheFormsDefaultButton) {
  QDialog dialog;
  TComboEdit* field = new TComboEdit(&dialog);
  QPushButton* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setDefault(true);
  int clicks = 0;
  QObject::connect(ok, &QPushButton::clicked, [&] { ++clicks; });
  dialog.show();
  field->setFocus();
  key(field, Qt::Key_Return);
  EXPECT_EQ(clicks, 1);
}

TEST(ComboEditGlyphs, KindsSetTheButtonsGlyphAndWidth) {
  TComboEdit edit;
  EXPECT_EQ(edit.ButtonWidth(), 21);
  EXPECT_FALSE(edit.IsButtonWidthStored());
  edit.SetGlyphKind(gkEllipsis);
  EXPECT_EQ(edit.Glyph().Width(), 15);
  EXPECT_EQ(edit.Glyph().Height(), 4);
  edit.SetGlyphKind(gkDropDown);
  EXPECT_EQ(edit.Glyph().Width(), 7);
  EXPECT_FALSE(edit.IsButtonWidthStored());
  edit.SetNumGlyphs(3);
  EXPECT_EQ(edit.NumGlyphs(), 1);
  edit.SetGlyph(rxtest::makeGlyph({clRed, clBlue}, 10, 10));
  EXPECT_EQ(edit.GlyphKind(), gkCustom);
}

TEST_F(ComboEdit, ReleasingTheMouseOnTheDropDownAcceptsInsideAndRejectsOutside) {
  edit->SetText("old");
  for (bool inside : {false, true}) {
    edit->EditButtonClick();
    edit->popup->value = QStringLiteral("new");
    rxtest::press(edit->popup, {10, 10});
    rxtest::release(edit->popup, inside ? QPoint(10, 10) : QPoint(-5, 200));
    EXPECT_FALSE(edit->PopupVisible()) << inside;
    EXPECT_EQ(edit->Text(), inside ? "new" : "old") << inside;
  }
}

TEST(ComboEditGlyphs, TheEllipsisHasThreeDotsSpreadByTheRoomThereIs) {
  TComboEdit edit;
  edit.SetGlyphKind(gkEllipsis);
  const TBitmap& glyph = edit.Glyph();  // 15 wide: gaps of 3, the dots centred
  std::string row;
  for (int x = 0; x < glyph.Width(); ++x) row += glyph.Canvas().Pixel(x, 1) == clBlack ? '#' : '.';
  EXPECT_EQ(row, ".##...##...##..");
  EXPECT_NE(glyph.Canvas().Pixel(0, 0), clBlack);
}

TEST_F(ComboEdit, PaintComboEditDrawsTheTextBesideTheButtonOrLeavesItToTheEdit) {
  QImage image(edit->width(), edit->height(), QImage::Format_RGB32);
  image.fill(Qt::white);
  TCanvas canvas(&image);
  EXPECT_FALSE(PaintComboEdit(*edit, "12.50", taRightJustify, true, false, canvas));
  ASSERT_TRUE(PaintComboEdit(*edit, "12.50", taRightJustify, false, false, canvas));
  int textRight = 0, textLeft = image.width();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 128) {
        textLeft = std::min(textLeft, x);
        textRight = std::max(textRight, x);
      }
    }
  }
  int buttonLeft = edit->ButtonHolder()->x();
  EXPECT_LT(textRight, buttonLeft);
  EXPECT_GT(textLeft, buttonLeft / 2);  // right-aligned, next to the button
}

}  // namespace
