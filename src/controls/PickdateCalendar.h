// TRxCalendar: a month as a grid of 7 columns and 7 rows, the weekday names in the fixed top
// row and the days below, the week starting on StartOfWeek. Selecting a cell picks its day;
// the arrow keys walk the days, 'T' shows today. TLocCalendar is the variant inside the
// drop-down calendar: no lines but one under the names, today's cell framed.
#pragma once

#include <functional>

#include "controls/utils/Dateutil.h"
#include "gui/Colors.h"
#include "gui/Controls.h"

namespace pickdate {

using dateutil::TDayOfWeekName;
using dateutil::TDaysOfWeek;

class TRxCalendar : public gui::TCustomControl {
public:
  static constexpr int kCols = 7;
  static constexpr int kRows = 7;

  // Today, weeks from Monday, Sunday the weekend, in red; a single border.
  explicit TRxCalendar(QWidget* parent = nullptr);

  TDateTime CalendarDate() const { return date_; }
  void SetCalendarDate(TDateTime value);
  int Day() const { return DatePart(3); }
  void SetDay(int value) { SetDatePart(3, value); }
  int Month() const { return DatePart(2); }
  void SetMonth(int value) { SetDatePart(2, value); }
  int Year() const { return DatePart(1); }
  void SetYear(int value) { SetDatePart(1, value); }
  // 1 year, 2 month, 3 day.
  int DatePart(int index) const;
  // Values below 1 are ignored; a month above 12 and a day beyond the month too; the year
  // stays within 1..9999. The day is cut to the new month's length.
  void SetDatePart(int index, int value);

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value) { readOnly_ = value; }
  TDayOfWeekName StartOfWeek() const { return startOfWeek_; }
  void SetStartOfWeek(TDayOfWeekName value);
  bool UseCurrentDate() const { return useCurrentDate_; }
  void SetUseCurrentDate(bool value);
  TDaysOfWeek Weekends() const { return weekends_; }
  void SetWeekends(TDaysOfWeek value);
  gui::TColor WeekendColor() const { return weekendColor_; }
  void SetWeekendColor(gui::TColor value);

  // A month forward or back (the day cut to its length) and a year forward or back (29
  // February becomes 28 first); nothing beyond years 1..9999.
  void StepMonth(int delta);
  void StepYear(int delta);

  // The grid: the text of a cell, the day it shows (0 for none), the selected cell.
  std::string CellText(int col, int row) const;
  int DayAt(int col, int row) const;
  int Col() const { return col_; }
  int Row() const { return row_; }
  int MonthOffset() const { return monthOffset_; }
  gui::TRect CellRect(int col, int row) const;
  // The cell under a point; false outside the cells.
  bool MouseToCell(int x, int y, int& col, int& row) const;
  int ColWidth() const;
  int RowHeight() const;

  std::function<void(TRxCalendar*)> OnChange;

  // Keys of the grid, callable by the drop-down that forwards them.
  void KeyDown(uint16_t& key, gui::TShiftState shift) override;
  void KeyPress(char& key) override;

protected:
  virtual void DrawCell(gui::TCanvas& canvas, int col, int row, const gui::TRect& rect,
                        bool selected);
  // Whether the selection may move to a cell.
  virtual bool SelectCell(int col, int row);
  virtual void RefreshGrid();
  virtual void Change();
  void Click() override;
  void Paint() override;
  void MouseDown(gui::TMouseButton button, gui::TShiftState shift, int x, int y) override;

  // Lines between the cells, and the one under the names.
  bool vertLines_ = true;
  bool horzLines_ = true;
  bool border_ = true;
  gui::TColor fixedColor_ = gui::clBtnFace;  // clNone: the grid's own colour

private:
  void changeDate(TDateTime value, bool dayOnly);
  bool moveSelection(int col, int row);
  void moveByKey(uint16_t key);
  bool isWeekendCol(int col) const;

  TDateTime date_ = 0;
  int monthOffset_ = 0;
  bool readOnly_ = false;
  TDayOfWeekName startOfWeek_ = dateutil::Mon;
  bool updating_ = false;
  bool useCurrentDate_ = true;
  TDaysOfWeek weekends_{dateutil::Sun};
  gui::TColor weekendColor_ = gui::clRed;
  int col_ = 0;
  int row_ = 1;
};

class TLocCalendar : public TRxCalendar {
public:
  explicit TLocCalendar(QWidget* parent = nullptr);
  bool CellAtPoint(int x, int y, int& col, int& row) const { return MouseToCell(x, y, col, row); }

protected:
  void DrawCell(gui::TCanvas& canvas, int col, int row, const gui::TRect& rect,
                bool selected) override;
};

}  // namespace pickdate
