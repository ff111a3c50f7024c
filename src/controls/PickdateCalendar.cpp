// TRxCalendar and TLocCalendar: the month grid, its date parts, steps, keys and drawing.
#include "controls/PickdateCalendar.h"

#include <algorithm>
#include <cmath>

#include "gui/Frame3D.h"

using namespace gui;
using namespace dateutil;

namespace pickdate {

namespace {

constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

TDateTime encode(int y, int m, int d) {
  TDateTime date = 0;
  TryEncodeDate(y, m, std::min(d, DaysPerMonth(y, m)), date);
  return date;
}

}  // namespace

TRxCalendar::TRxCalendar(QWidget* parent) : TCustomControl(parent) {
  SetColor(clWindow);
  SetTabStop(true);
  date_ = Today();
  SetBounds(0, 0, 192, 115);
  RefreshGrid();
}

// --- date -------------------------------------------------------------------------------------

int TRxCalendar::DatePart(int index) const {
  int parts[3] = {0, 0, 0};
  TryDecodeDate(date_, parts[0], parts[1], parts[2]);
  return parts[std::clamp(index, 1, 3) - 1];
}

void TRxCalendar::SetDatePart(int index, int value) {
  if (value < 1) return;
  int y = Year(), m = Month(), d = Day();
  switch (index) {
    case 1:
      if (value > kMaxYear) return;
      y = value;
      break;
    case 2:
      if (value > 12) return;
      m = value;
      break;
    default:
      if (value > DaysPerMonth(y, m)) return;
      d = value;
      break;
  }
  TDateTime date = encode(y, m, d);
  if (date == date_) return;
  useCurrentDate_ = false;
  changeDate(date, index == 3);
}

void TRxCalendar::SetCalendarDate(TDateTime value) {
  if (value == date_) return;
  changeDate(value, false);
}

void TRxCalendar::changeDate(TDateTime value, bool dayOnly) {
  date_ = value;
  RefreshGrid();
  if (dayOnly) Update();
  else Invalidate();
  Change();
}

void TRxCalendar::Change() {
  if (OnChange) OnChange(this);
}

void TRxCalendar::SetUseCurrentDate(bool value) {
  if (value == useCurrentDate_) return;
  useCurrentDate_ = value;
  if (value) {
    date_ = Today();
    RefreshGrid();
    Invalidate();
  }
}

void TRxCalendar::SetStartOfWeek(TDayOfWeekName value) {
  if (value == startOfWeek_) return;
  startOfWeek_ = value;
  RefreshGrid();
  Invalidate();
}

void TRxCalendar::SetWeekends(TDaysOfWeek value) {
  if (value == weekends_) return;
  weekends_ = value;
  Invalidate();
}

void TRxCalendar::SetWeekendColor(TColor value) {
  if (value == weekendColor_) return;
  weekendColor_ = value;
  Invalidate();
}

// From the month's last day + 1 (or its first day - 1) into the neighbour month, keeping the
// day as far as that month has it.
void TRxCalendar::StepMonth(int delta) {
  int y = Year(), m = Month(), d = Day();
  m += delta;
  if (m < 1) m = 12, --y;
  if (m > 12) m = 1, ++y;
  if (y < kMinYear || y > kMaxYear) return;
  SetCalendarDate(encode(y, m, d));
}

void TRxCalendar::StepYear(int delta) {
  int y = Year() + delta;
  if (y < kMinYear || y > kMaxYear) return;
  SetCalendarDate(encode(y, Month(), Day()));
}

// --- the grid ---------------------------------------------------------------------------------

// Day 1 falls in row 1: when the month starts on the day before StartOfWeek, in its last
// column.
void TRxCalendar::RefreshGrid() {
  updating_ = true;
  int y = Year(), m = Month();
  int first = DayOfWeek(encode(y, m, 1));
  monthOffset_ = 2 - ((first - int(startOfWeek_) + 7) % 7);
  if (monthOffset_ == 2) monthOffset_ = -5;
  int cell = Day() - monthOffset_;
  moveSelection(cell % 7, cell / 7 + 1);
  updating_ = false;
}

int TRxCalendar::DayAt(int col, int row) const {
  if (row < 1 || row >= kRows || col < 0 || col >= kCols) return 0;
  int day = monthOffset_ + col + (row - 1) * 7;
  return day < 1 || day > DaysPerMonth(Year(), Month()) ? 0 : day;
}

std::string TRxCalendar::CellText(int col, int row) const {
  if (row == 0) {
    return CurrentFormatSettings().shortDayNames[size_t((int(startOfWeek_) + col) % 7)];
  }
  int day = DayAt(col, row);
  return day == 0 ? std::string() : std::to_string(day);
}

bool TRxCalendar::isWeekendCol(int col) const {
  return weekends_.contains(TDayOfWeekName((int(startOfWeek_) + col) % 7));
}

bool TRxCalendar::SelectCell(int col, int row) {
  if (readOnly_ && !updating_) return false;
  return DayAt(col, row) != 0;
}

bool TRxCalendar::moveSelection(int col, int row) {
  if ((col == col_ && row == row_) || !SelectCell(col, row)) return false;
  col_ = col;
  row_ = row;
  Invalidate();
  return true;
}

void TRxCalendar::Click() {
  if (int day = DayAt(col_, row_)) SetDay(day);
  TCustomControl::Click();
}

TRect TRxCalendar::CellRect(int col, int row) const {
  int line = 1, inset = border_ ? 1 : 0;
  int x = inset + col * (ColWidth() + (vertLines_ ? line : 0));
  int y = inset + row * (RowHeight() + line);
  return Bounds(x, y, ColWidth(), RowHeight());
}

bool TRxCalendar::MouseToCell(int x, int y, int& col, int& row) const {
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kCols; ++c) {
      TRect cell = CellRect(c, r);
      cell.Right += vertLines_ ? 1 : 0;
      cell.Bottom += 1;
      if (PtInRect(cell, Point(x, y))) {
        col = c;
        row = r;
        return true;
      }
    }
  }
  return false;
}

// Cells share the width left after the vertical lines and the height left after the
// horizontal ones (as on a resize of the grid).
int TRxCalendar::ColWidth() const {
  int w = Width() - (border_ ? 2 : 0);
  return std::max(0, (vertLines_ ? w - 6 : w) / kCols);
}

int TRxCalendar::RowHeight() const {
  int h = Height() - (border_ ? 2 : 0);
  return std::max(0, (h - 6) / kRows);
}

// --- input ------------------------------------------------------------------------------------

void TRxCalendar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  int col = 0, row = 0;
  if (button == mbLeft && MouseToCell(x, y, col, row) && moveSelection(col, row)) Click();
  TCustomControl::MouseDown(button, shift, x, y);
}

// Left and right walk the days across month ends; up, down, Home and End are the grid's own
// moves among the cells that show a day.
void TRxCalendar::KeyDown(uint16_t& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0 || (shift & (ssShift | ssCtrl | ssAlt))) return;
  switch (key) {
    case VK_LEFT:
    case VK_SUBTRACT:
      if (Day() > 1) SetDay(Day() - 1);
      else if (date_ - 1 >= encode(kMinYear, 1, 1)) SetCalendarDate(date_ - 1);
      key = 0;
      break;
    case VK_RIGHT:
    case VK_ADD:
      if (Day() < DaysPerMonth(Year(), Month())) SetDay(Day() + 1);
      else if (date_ + 1 <= encode(kMaxYear, 12, 31)) SetCalendarDate(date_ + 1);
      key = 0;
      break;
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
      moveByKey(key);
      key = 0;
      break;
    default: break;
  }
}

void TRxCalendar::moveByKey(uint16_t key) {
  int col = col_, row = row_;
  switch (key) {
    case VK_UP: --row; break;
    case VK_DOWN: ++row; break;
    case VK_HOME:
      for (col = 0; col < col_ && !DayAt(col, row); ++col) {
      }
      break;
    default:
      for (col = kCols - 1; col > col_ && !DayAt(col, row); --col) {
      }
      break;
  }
  if (moveSelection(col, row)) Click();
}

void TRxCalendar::KeyPress(char& key) {
  if (key == 'T' || key == 't') {
    SetCalendarDate(Today());
    key = 0;
    return;
  }
  TCustomControl::KeyPress(key);
}

// --- drawing ----------------------------------------------------------------------------------

void TRxCalendar::Paint() {
  TCanvas& canvas = Canvas();
  canvas.Brush.Color = Color();
  canvas.FillRect(ClientRect());
  if (border_) {
    canvas.Brush.Color = clWindowFrame;
    canvas.FrameRect(ClientRect());
  }
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kCols; ++col) {
      TRect r = CellRect(col, row);
      bool selected = row == row_ && col == col_;
      DrawCell(canvas, col, row, r, selected);
      canvas.Brush.Color = clBtnFace;
      if (vertLines_ && col < kCols - 1) canvas.FillRect(Rect(r.Right, r.Top, r.Right + 1, r.Bottom + 1));
      // The line under the names stands out also where the names share the grid's colour.
      canvas.Brush.Color = row == 0 ? clBtnShadow : clBtnFace;
      if (horzLines_ || row == 0) canvas.FillRect(Rect(r.Left, r.Bottom, r.Right + 1, r.Bottom + 1));
    }
  }
}

void TRxCalendar::DrawCell(TCanvas& canvas, int col, int row, const TRect& rect, bool selected) {
  canvas.Font = Font();
  TColor fixed = fixedColor_ == clNone ? Color() : fixedColor_;
  canvas.Brush.Color = row == 0 ? fixed : selected ? clHighlight : Color();
  canvas.FillRect(rect);
  if (selected) canvas.Font.Color = clHighlightText;
  else if (isWeekendCol(col)) canvas.Font.Color = weekendColor_;
  canvas.SetBkMode(TRANSPARENT);
  TRect r = rect;
  canvas.DrawText(CellText(col, row), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// --- TLocCalendar -----------------------------------------------------------------------------

// No border, no lines but the one under the names, never the focus, today's date.
TLocCalendar::TLocCalendar(QWidget* parent) : TRxCalendar(parent) {
  vertLines_ = false;
  horzLines_ = false;
  border_ = false;
  fixedColor_ = clNone;
  SetTabStop(false);
  setFocusPolicy(Qt::NoFocus);
  SetUseCurrentDate(false);
}

void TLocCalendar::DrawCell(TCanvas& canvas, int col, int row, const TRect& rect, bool selected) {
  TRxCalendar::DrawCell(canvas, col, row, rect, selected);
  int day = DayAt(col, row);
  TDateTime today = Today();
  if (day == 0 || encode(Year(), Month(), day) != today) return;
  TRect r = rect;
  Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
}

}  // namespace pickdate
