// The start and stop alarms: a date and a time each. The clocks fire at the time (seconds 0)
// only while the date is today and the alarm's box is checked; the window's tick arms them.
#include <QCheckBox>

#include "controls/Rxclock.h"
#include "controls/TooleditDate.h"
#include "controls/TooleditMask.h"
#include "controls/utils/Dateutil.h"
#include "core/ProfileValues.h"
#include "platform/MessageBox.h"
#include "recording/Capt.h"
#include "recording/RecordingState.h"

namespace {

constexpr const char* kBadTimeText = "Please enter a time from 00:00 to 23:59.";

AlarmDate dateOf(tooledit::TDateEdit* edit) {
  int year = 0, month = 0, day = 0;
  if (!dateutil::TryDecodeDate(edit->GetDate(), year, month, day)) return {};
  return {uint16_t(year), uint16_t(month), uint16_t(day)};
}

// "hh:mm" into the clock's alarm at seconds 0. A time outside the day is refused with a box
// and the alarm keeps its time.
void setAlarmTime(rxclock::TRxClock* clock, const std::string& text) {
  const int hour = int(profile_values::ParseDecimal(text.substr(0, 2)));
  const int minute = int(profile_values::ParseDecimal(text.size() > 3 ? text.substr(3, 2) : ""));
  if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60) {
    platform::ShowMessageBox(kBadTimeText, "Warning!", platform::kMbOk | platform::kMbIconWarning);
    return;
  }
  clock->SetAlarmTime(dateutil::EncodeTime(hour, minute, 0, 0));
}

}  // namespace

void TForm3::DateEdit1Change() { StartAlarmDate = dateOf(DateEdit1); }

void TForm3::DateEdit2Change() { StopAlarmDate = dateOf(DateEdit2); }

void TForm3::MaskEdit1Change() { setAlarmTime(RxClock1, MaskEdit1->Text()); }

void TForm3::MaskEdit2Change() { setAlarmTime(RxClock2, MaskEdit2->Text()); }

void TForm3::CheckBox1Click() {
  if (!CheckBox1->isChecked()) RxClock1->SetAlarmEnabled(false);
}

void TForm3::CheckBox4Click() {
  if (!CheckBox4->isChecked()) RxClock2->SetAlarmEnabled(false);
}

void TForm3::ArmAlarms() {
  const AlarmDate today = CaptureToday();
  RxClock1->SetAlarmEnabled(today == StartAlarmDate && CheckBox1->isChecked());
  RxClock2->SetAlarmEnabled(today == StopAlarmDate && CheckBox4->isChecked());
}

void TForm3::RxClock1Alarm() { Button8Click(); }
