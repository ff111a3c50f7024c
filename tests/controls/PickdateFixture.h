// Fixed regional settings (day-month-year with '.', English names) and a clock standing at
// Sunday 15 March 2026, 10:30, for the calendar and date edit tests.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>

#include "controls/utils/Dateutil.h"
#include "gui/Cp1251.h"

namespace pickdatetest {

inline dateutil::FormatSettings englishDayMonthYear(const char* shortDateFormat = "dd.MM.yyyy") {
  dateutil::FormatSettings fs;
  fs.shortDateFormat = shortDateFormat;
  fs.dateSeparator = '.';
  fs.longMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                       "July",    "August",   "September", "October", "November", "December"};
  fs.shortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  fs.shortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  fs.longDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  return fs;
}

// Russian month and day names (Windows-1251), for looking at the windows in Russian.
inline dateutil::FormatSettings russianDayMonthYear() {
  auto cp = [](const char* utf8) { return gui::ToCp1251(QString::fromUtf8(utf8)); };
  dateutil::FormatSettings fs = englishDayMonthYear();
  const char* months[12] = {"Январь", "Февраль", "Март",     "Апрель",  "Май",    "Июнь",
                            "Июль",   "Август",  "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
  const char* days[7] = {"Вс", "Пн", "Вт", "Ср", "Чт", "Пт", "Сб"};
  for (int i = 0; i < 12; ++i) fs.longMonthNames[size_t(i)] = cp(months[i]);
  for (int i = 0; i < 7; ++i) fs.shortDayNames[size_t(i)] = cp(days[i]);
  return fs;
}

inline TDateTime date(int y, int m, int d) { return dateutil::EncodeDate(y, m, d); }

class DateFixture : public testing::Test {
protected:
  void SetUp() override {
    dateutil::SetFormatSettings(englishDayMonthYear());
    dateutil::SetNowFunction([] { return date(2026, 3, 15) + dateutil::EncodeTime(10, 30, 0, 0); });
  }
  void TearDown() override {
    dateutil::SetNowFunction({});
    dateutil::SetFormatSettings(dateutil::SystemFormatSettings());
  }
  static constexpr TDateTime kToday = 46'096;  // 15 March 2026
};

// A key as the keyboard sends it: its virtual key first, then the character it types.
inline void sendKey(QObject* target, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    const QString& text = QString()) {
  QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
  QCoreApplication::sendEvent(target, &press);
}

inline void typeText(QObject* target, const QString& text) {
  for (QChar c : text) sendKey(target, c.unicode(), Qt::NoModifier, QString(c));
}

}  // namespace pickdatetest
