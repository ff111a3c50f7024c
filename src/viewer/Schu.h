// TForm2, the scheduler window "Vyx Video Scheduler": ten rows, each a schedule entry (date,
// time, channel, every day, full screen), and the exit time at which the program quits and may
// switch the computer off. The rows edit ScheduleTable entries 1..10 as they change; every way
// of closing the window stores them and saves schedule.ini. The panel's one-second tick fires
// the entries (TForm1::Timer3Timer, VyxuScheduler.cpp).
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <ctime>

#include "gui/CaptionDrag.h"
#include "gui/Timer.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
namespace gui {
class TCustomLabel;
}
namespace rxclock {
class TRxClock;
}
namespace tooledit {
class TCustomMaskEdit;
class TDateEdit;
}  // namespace tooledit

// The rows are numbered 1..10 like the entries they show.
constexpr int kScheduleRows = 10;

// The controls of one row. Their names follow the row: DateEdit1, Label1 ("Every day" in place
// of the date), MaskEdit1 (time), ComboBox1 (program), CheckBox1 (every day) and, for the full
// screen, CheckBox20 for row 1 up to CheckBox29 for row 10.
struct ScheduleRow {
  tooledit::TDateEdit* DateEdit = nullptr;
  gui::TCustomLabel* Label = nullptr;
  tooledit::TCustomMaskEdit* MaskEdit = nullptr;
  QComboBox* ComboBox = nullptr;
  QCheckBox* EveryDay = nullptr;
  QCheckBox* FullScreen = nullptr;
};

class TForm2 : public QWidget {
public:
  explicit TForm2(QWidget* owner = nullptr);
  ~TForm2() override;

  // Row n, 1..10.
  ScheduleRow& Row(int n) { return rows_[size_t(n - 1)]; }

  // Row handlers (n = 1..10): DateEditNChange, CheckBoxNClick, ComboBoxNChange, MaskEditNChange.
  void DateEditChange(int n);
  void CheckBoxClick(int n);
  void ComboBoxChange(int n);
  void MaskEditChange(int n);

  // Window handlers.
  void Button2Click();      // "Сегодня": every row today
  void Panel3Click();       // "X": store, save, close
  void SpeedButton1Click(); // "Ok": the same
  void FormClose();         // the system menu's close: the same, the window hides itself
  void FormDestroy();       // the panel comes back
  void FormCreate() {}
  void CheckBox13Click();   // exit at a time: arms the clock's alarm
  void MaskEdit11Change();  // the exit time
  void RxClock1Alarm();     // quits, switching the computer off when asked
  void Timer1Timer();       // caption colours, the frame, refilled program lists
  void Panel1MouseDown(int x, int y);
  void Panel1MouseMove(int x, int y);
  void Panel1MouseUp();

  // Header panels: "Every" / "day", "Date", "Time", "Program", "Full" / "screen".
  QLabel* Panel4;
  QLabel* Panel5;
  QLabel* Panel6;
  QLabel* Panel7;
  QLabel* Panel8;
  QLabel* Panel9;
  QLabel* Panel10;
  QPushButton* Button2;                  // "Сегодня"
  QCheckBox* CheckBox13;                 // leave the program at the exit time
  tooledit::TCustomMaskEdit* MaskEdit11; // the exit time
  QCheckBox* CheckBox14;                 // and switch the computer off
  rxclock::TRxClock* RxClock1;           // the time now, and the exit alarm
  QToolButton* SpeedButton1;             // "Ok"
  QLabel* Panel1;                        // caption bar (outside the client area)
  QLabel* Panel3;                        // its "X"
  gui::TTimer Timer1;                    // 100 ms

protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  // SchuLayout.cpp
  void createHeader();
  void createRow(int n);
  void createFooter();
  void createCaption();
  void attachHandlers();
  // Schu.cpp
  void loadRows();
  void storeAndClose();
  void paintCaption(bool active);

  std::array<ScheduleRow, kScheduleRows> rows_{};
  gui::CaptionDrag captionDrag_{*this};
};

extern TForm2*& Form2;

// Fills the ten program lists with "Empty" and the listed channels, each with its frequency as
// hint; an entry whose channel is no longer listed gets "Empty". From then on the window stores
// what its rows show.
void FillProgramCombos();
// Each row shows its date field, or "Every day" in its place when the row is every-day.
void UpdateEveryDayVisibility();
// Date fields of entries whose date and time lie in the past show the menu colour.
void MarkPastEntries();
// Takes the rows' dates, programs and boxes into the entries (once the lists are filled).
void StoreScheduleFromForm();

// Calendar seconds of a local date and time of day (seconds 0); -1 for a date that does not
// exist or a time outside 00:00..23:59.
int64_t LocalCalendarSeconds(int year, int month, int day, int hour, int minute);
// The local time now in calendar seconds.
int64_t CalendarSecondsNow();

// Set when the lists are filled: StoreScheduleFromForm does nothing before.
extern bool& ScheduleFormReady;
// The channel list changed (at start-up and after a frequency scan): the lists are filled again
// the next time the window is shown.
extern bool& ChannelListChanged;
// Set when the window closes: the next tick installs the keyboard hook again.
extern bool& RehookRequest;
// The exit time as typed.
extern uint16_t& ExitHour;
extern uint16_t& ExitMinute;
// Set when the exit alarm has fired; the shut-down then may switch the computer off.
extern bool& ExitAlarmFired;
// The moment of the tick before (calendar seconds): an entry fires when its time lies after it
// and not after the tick's own moment. Set to the program's start when the window is made, so
// nothing scheduled before the start fires.
extern int64_t& SchedulerLastTick;
