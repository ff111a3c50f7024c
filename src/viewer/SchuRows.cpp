// The scheduler's rows: filling the program lists, showing and storing the entries, and the
// rows' change handlers with "Сегодня".
#include <QCheckBox>
#include <QComboBox>

#include <ctime>
#include <string>

#include "controls/TooleditDate.h"
#include "controls/TooleditMask.h"
#include "core/Channels.h"
#include "core/ProfileValues.h"
#include "core/Schedule.h"
#include "gui/Colors.h"
#include "gui/Cp1251.h"
#include "gui/CustomLabel.h"
#include "platform/Clock.h"
#include "viewer/Schu.h"
#include "viewer/ViewerGlobals.h"

namespace {

constexpr const char* kEmptyProgram = "Empty";
constexpr const char* kMidnight = "00:00";

// The number read from `count` characters of `text` at `from` (blank or short: 0).
int numberAt(const std::string& text, size_t from, size_t count) {
  return from < text.size() ? profile_values::ParseDecimal(text.substr(from, count)) : 0;
}

// "(k)  name", and the frequency as hint.
QString programText(int row) {
  return "(" + QString::number(row + 1) + ")  " + gui::FromCp1251(ChannelTable[size_t(row)].Name);
}
QString programHint(int row) {
  return QString::fromStdString(profile_values::FormatFixed2(ChannelTable[size_t(row)].Freq) +
                                " MHz");
}

void showSelectedHint(QComboBox* list) {
  list->setToolTip(list->itemData(list->currentIndex(), Qt::ToolTipRole).toString());
}

// The tuner rows listed: the used rows from the first on.
int listedChannels() {
  int m = 0;
  while (m < kMaxTunerChannels && ChannelTable[size_t(m)].Used == 1) ++m;
  return m;
}

}  // namespace

int64_t LocalCalendarSeconds(int year, int month, int day, int hour, int minute) {
  TDateTime date = 0;
  if (!dateutil::TryEncodeDate(year, month, day, date)) return -1;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return -1;
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_isdst = -1;
  return int64_t(std::mktime(&t));
}

int64_t CalendarSecondsNow() {
  std::tm now = platform::LocalTimeNow();
  now.tm_isdst = -1;
  return int64_t(std::mktime(&now));
}

void FillProgramCombos() {
  if (!Form2) return;
  const int m = listedChannels();
  for (int n = 1; n <= kScheduleRows; ++n) {
    QComboBox* list = Form2->Row(n).ComboBox;
    list->clear();
    list->addItem(kEmptyProgram);
    list->setItemData(0, QString(), Qt::ToolTipRole);
    for (int k = 0; k < m; ++k) {
      list->addItem(programText(k));
      list->setItemData(k + 1, programHint(k), Qt::ToolTipRole);
    }
  }
  for (int n = 1; n <= kScheduleRows; ++n) {
    ScheduleEntry& e = ScheduleTable[size_t(n)];
    if (e.Channel > uint32_t(m)) e.Channel = 0;
    Form2->Row(n).ComboBox->setCurrentIndex(int(e.Channel));
  }
  ScheduleFormReady = true;
  for (int n = 1; n <= kScheduleRows; ++n) showSelectedHint(Form2->Row(n).ComboBox);
  SchedulerRefillPending = false;
}

void UpdateEveryDayVisibility() {
  if (!Form2) return;
  for (int n = 1; n <= kScheduleRows; ++n) {
    ScheduleRow& row = Form2->Row(n);
    const bool everyDay = row.EveryDay->isChecked();
    row.DateEdit->setVisible(!everyDay);
    row.Label->setVisible(everyDay);
  }
}

// Every-day entries are coloured by their own date too.
void MarkPastEntries() {
  if (!Form2) return;
  const int64_t now = CalendarSecondsNow();
  for (int n = 1; n <= kScheduleRows; ++n) {
    const ScheduleEntry& e = ScheduleTable[size_t(n)];
    const int64_t t = LocalCalendarSeconds(e.Year, e.Month, e.Day, e.Hour, e.Min);
    Form2->Row(n).DateEdit->SetColor(t < now ? gui::clMenu : gui::clWindow);
  }
}

// The time is not taken here: the time fields store it as it is typed.
void StoreScheduleFromForm() {
  if (!Form2 || !ScheduleFormReady) return;
  for (int n = 1; n <= kScheduleRows; ++n) {
    ScheduleEntry& e = ScheduleTable[size_t(n)];
    ScheduleRow& row = Form2->Row(n);
    int year = 0, month = 0, day = 0;
    if (dateutil::TryDecodeDate(row.DateEdit->GetDate(), year, month, day)) {
      e.Year = uint16_t(year);
      e.Month = uint16_t(month);
      e.Day = uint16_t(day);
    }
    e.Channel = uint32_t(std::max(0, row.ComboBox->currentIndex()));
    e.EveryDay = row.EveryDay->isChecked();
    e.FullScreen = row.FullScreen->isChecked();
  }
  MarkPastEntries();
}

// --- Row handlers -----------------------------------------------------------------------------

void TForm2::DateEditChange(int n) {
  StoreScheduleFromForm();
  ScheduleTable[size_t(n)].Enabled = 1;
}

void TForm2::CheckBoxClick(int n) {
  UpdateEveryDayVisibility();
  ScheduleTable[size_t(n)].Enabled = 1;
}

void TForm2::ComboBoxChange(int n) {
  showSelectedHint(Row(n).ComboBox);
  ScheduleTable[size_t(n)].Enabled = 1;
}

// A time past 23:59 becomes 00:00 (setting the text runs this handler again).
void TForm2::MaskEditChange(int n) {
  ScheduleEntry& e = ScheduleTable[size_t(n)];
  tooledit::TCustomMaskEdit* field = Row(n).MaskEdit;
  const std::string text = field->Text().substr(0, 5);
  e.Hour = uint16_t(numberAt(text, 0, 2));
  e.Min = uint16_t(numberAt(text, 3, 2));
  e.Enabled = 1;
  e.TimeText = text;
  if (e.Hour >= 24 || e.Min > 59) {
    e.Hour = 0;
    e.Min = 0;
    e.TimeText = kMidnight;
    field->SetText(kMidnight);
  }
  MarkPastEntries();
}

// Emptied fields read as today, so every row takes today's date and becomes Enabled.
void TForm2::Button2Click() {
  for (int n = 1; n <= kScheduleRows; ++n) Row(n).DateEdit->SetText("");
  Row(1).DateEdit->SetDate(Row(1).DateEdit->GetDate());
  const TDateTime today = Row(1).DateEdit->GetDate();
  for (int n = 2; n <= kScheduleRows; ++n) Row(n).DateEdit->SetDate(today);
}
