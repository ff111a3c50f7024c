// The panel's frequency: the spin edit that tunes, the -0.01/+0.01 buttons and the manual entry
// through Edit3.
#include <QApplication>

#include <cctype>
#include <cstdio>
#include <string>

#include "controls/RxSpeedButton.h"
#include "controls/Rxspin.h"
#include "core/CardFunctions.h"
#include "core/Channels.h"
#include "gui/CustomEdit.h"
#include "gui/UpDown.h"
#include "viewer/KeyboardHook.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"
#include "viewer/VyxuScan.h"

namespace {

constexpr double kFineStep = 0.01;

bool onTunerRow() { return CurChannel >= 0 && CurChannel < kAvRow; }

std::string frequencyText(double mhz) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", mhz);
  return text;
}

}  // namespace

// The longest decimal number at the start of the text (after blanks): sign, digits, a '.' with
// digits, an exponent. 0 when the text starts with none. Only such plain numbers count: "inf",
// "nan" or hexadecimal forms, which a library conversion would take, give 0.
double LeadingNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  const size_t start = i;
  auto digits = [&] {
    const size_t from = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    return i - from;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t mantissa = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return 0;
  size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() > 0) end = i;
  }
  double value = 0;
  // Locale-free: the program keeps LC_NUMERIC at "C".
  std::sscanf(text.substr(start, end - start).c_str(), "%lf", &value);
  return value;
}

void TForm1::attachFrequencyHandlers() {
  RxSpinEdit1->OnChange = [this](QWidget*) { RxSpinEdit1Change(); };
  RxSpinEdit1->OnDblClick = [this](QWidget*) { RxSpinEdit1DblClick(); };
  Edit3->OnDblClick = [this](QWidget*) { Edit3DblClick(); };
  Edit3->OnKeyDown = [this](QWidget*, uint16_t& key, gui::TShiftState shift) {
    Edit3KeyDown(key, shift);
  };
  RxSpeedButton10->OnClick = [this](gui::TControl*) { RxSpeedButton10Click(); };
  RxSpeedButton9->OnClick = [this](gui::TControl*) { RxSpeedButton9Click(); };
}

void TForm1::RxSpinEdit1Change() {
  if (!onTunerRow()) return;
  const double value = RxSpinEdit1->Value();
  // While a scan runs, its steps tune; the display follows them.
  if (!ScanInProgress()) {
    ChannelRecord& r = ChannelTable[size_t(CurChannel)];
    r.Freq = float(value);
    TuneFrequency(r.Freq);
  }
  Label10->SetCaption(frequencyText(value));
}

void TForm1::RxSpinEdit1DblClick() {
  RxSpinEdit1->hide();
  Edit3->SetText(RxSpinEdit1->Text());
  Edit3->move(RxSpinEdit1->pos());
  Edit3->raise();
  Edit3->SetFocus();
  Edit3->SelectAll();
  RemoveKeyboardHook();
  UpDown1->setEnabled(false);
}

void TForm1::Edit3DblClick() { endManualEntry(); }

void TForm1::Edit3KeyDown(uint16_t& key, gui::TShiftState) {
  if (key == gui::VK_RETURN) endManualEntry();
}

void TForm1::endManualEntry() {
  Edit3->move(width() + 100, height() + 100);
  InstallKeyboardHook();
  std::string text = Edit3->Text();
  for (char& c : text)
    if (c == ',') c = '.';
  // The spin edit holds the value within 0..999; its change handler tunes and stores it.
  RxSpinEdit1->SetValue(LeadingNumber(text));
  RxSpinEdit1->show();
  UpDown1->setEnabled(true);
}

void TForm1::RxSpeedButton10Click() {
  if (onTunerRow()) RxSpinEdit1->SetValue(RxSpinEdit1->Value() - kFineStep);
}

void TForm1::RxSpeedButton9Click() {
  if (onTunerRow()) RxSpinEdit1->SetValue(RxSpinEdit1->Value() + kFineStep);
}
