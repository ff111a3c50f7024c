// The scheduler window: its making, closing (store and save), the 100 ms tick with the caption
// colours and the frame, the caption bar's drag, and the exit alarm.
#include "viewer/Schu.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <string>

#include "controls/Rxclock.h"
#include "controls/TooleditDate.h"
#include "controls/TooleditMask.h"
#include "core/ProfileValues.h"
#include "core/Schedule.h"
#include "gui/Colors.h"
#include "gui/VyxApplication.h"
#include "viewer/SchuGeometry.h"
#include "viewer/ViewerGlobals.h"
#include "viewer/Vyxu.h"

namespace {

constexpr const char* kMidnight = "00:00";
constexpr gui::TColor kFrameShadow = 0x808080;

// "HH:MM", each part padded to two digits.
std::string timeText(int hour, int minute) {
  auto twoDigits = [](int v) {
    std::string s = profile_values::FormatDecimal(v);
    return s.size() == 1 ? "0" + s : s;
  };
  return twoDigits(hour) + ":" + twoDigits(minute);
}

void setBackground(QLabel* label, gui::TColor color) {
  gui::SetPaletteColor(label, QPalette::Window, color);
}

void setTextColour(QLabel* label, gui::TColor color) {
  gui::SetPaletteColor(label, QPalette::WindowText, color);
}

}  // namespace

TForm2::TForm2(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
  Form2 = this;
  setObjectName("Form2");
  setWindowTitle("Vyx Video Scheduler");
  // The panel's dark face; the edits keep their own colours.
  if (Form1) setPalette(Form1->palette());
  setAutoFillBackground(true);
  setFixedSize(schedule_layout::kWidth, schedule_layout::kHeight);
  createHeader();
  for (int n = 1; n <= kScheduleRows; ++n) createRow(n);
  createFooter();
  createCaption();
  attachHandlers();
  MaskEdit11->SetText(kMidnight);
  if (DisplayWidth > 0 && DisplayHeight > 0)
    move((DisplayWidth - width()) / 2, (DisplayHeight - height()) / 2);

  LoadSchedule();
  ChannelListChanged = true;
  loadRows();
  UpdateEveryDayVisibility();
  MarkPastEntries();
  setTextColour(Panel1, gui::clCaptionText);
  setTextColour(Panel3, gui::clCaptionText);
  // Entries fire for times from now on, not for any before the program started.
  SchedulerLastTick = CalendarSecondsNow();
}

TForm2::~TForm2() { FormDestroy(); }

// Showing the stored entries runs the rows' change handlers, which mark each changed row
// Enabled; nothing is stored back yet (the program lists are not filled).
void TForm2::loadRows() {
  for (int n = 1; n <= kScheduleRows; ++n) {
    const ScheduleEntry& e = ScheduleTable[size_t(n)];
    ScheduleRow& row = Row(n);
    // A stored date that does not exist shows as today.
    TDateTime date = 0;
    if (!dateutil::TryEncodeDate(e.Year, e.Month, e.Day, date)) date = 0;
    row.DateEdit->SetDate(date);
    row.EveryDay->setChecked(e.EveryDay != 0);
    row.FullScreen->setChecked(e.FullScreen != 0);
  }
  for (int n = 1; n <= kScheduleRows; ++n) {
    ScheduleEntry& e = ScheduleTable[size_t(n)];
    e.TimeText = timeText(e.Hour, e.Min);
    Row(n).MaskEdit->SetText(e.TimeText);
  }
}

// --- Closing: every way stores and saves --------------------------------------------------------

void TForm2::storeAndClose() {
  StoreScheduleFromForm();
  SaveSchedule();
  SchedulerRefillPending = false;
  RehookRequest = true;
  hide();
  if (Form1) Form1->show();
}

void TForm2::Panel3Click() { storeAndClose(); }

void TForm2::SpeedButton1Click() { storeAndClose(); }

void TForm2::FormClose() { storeAndClose(); }

void TForm2::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TForm2::FormDestroy() {
  if (Form1) Form1->show();
}

// --- The 100 ms tick ----------------------------------------------------------------------------

void TForm2::paintCaption(bool active) {
  const gui::TColor colour = active ? gui::clActiveCaption : gui::clInactiveCaption;
  setBackground(Panel1, colour);
  setBackground(Panel3, colour);
}

// The program lists are filled the first time the window shows after start-up, and again only
// after a frequency scan.
void TForm2::Timer1Timer() {
  paintCaption(isActiveWindow());
  if (isVisible()) update();
  if (SchedulerRefillPending && ChannelListChanged) {
    FillProgramCombos();
    ChannelListChanged = false;
  }
}

// A one-pixel frame: white down the left edge, grey along the bottom and up the right edge.
void TForm2::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter p(this);
  const int w = width(), h = height();
  p.setPen(Qt::white);
  p.drawLine(0, 0, 0, h - 2);
  p.setPen(gui::ToQColor(kFrameShadow));
  p.drawLine(0, h - 1, w - 2, h - 1);
  p.drawLine(w - 1, h - 1, w - 1, 1);
}

// --- The caption bar ----------------------------------------------------------------------------

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  return gui::RouteCaptionMouse(watched, event, Panel1, Panel3,
                                {[this](int x, int y) { Panel1MouseDown(x, y); },
                                 [this](int x, int y) { Panel1MouseMove(x, y); },
                                 [this] { Panel1MouseUp(); }, [this] { Panel3Click(); }});
}

void TForm2::Panel1MouseDown(int x, int y) { captionDrag_.press({x, y}, {Panel1, Panel3}); }
void TForm2::Panel1MouseMove(int x, int y) { captionDrag_.move({x, y}); }
void TForm2::Panel1MouseUp() { captionDrag_.release(); }

// --- Exit at a time -----------------------------------------------------------------------------

void TForm2::CheckBox13Click() {
  const bool armed = CheckBox13->isChecked();
  if (armed) RxClock1->SetAlarmEnabled(true);
  CheckBox14->setEnabled(armed);
  if (!armed) RxClock1->SetAlarmEnabled(false);
}

// A time the clock refuses (24 hours and more, 60 minutes and more) is reported as the clock's
// conversion error; the typed values are kept.
void TForm2::MaskEdit11Change() {
  const std::string text = MaskEdit11->Text();
  ExitHour = uint16_t(profile_values::ParseDecimal(text.substr(0, 2)));
  ExitMinute = uint16_t(profile_values::ParseDecimal(text.size() > 3 ? text.substr(3, 2) : ""));
  try {
    RxClock1->SetAlarmHour(uint8_t(ExitHour));
    RxClock1->SetAlarmMinute(uint8_t(ExitMinute));
  } catch (...) {
    gui::VyxApplication::HandleException();
  }
}

// BYE switches the computer off when both exit options are checked.
void TForm2::RxClock1Alarm() {
  ExitAlarmFired = true;
  if (Form1) Form1->BYE();
}
