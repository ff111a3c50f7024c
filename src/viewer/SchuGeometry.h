// Where the scheduler window's controls stand: a header of column titles, ten rows of entry
// controls, and the footer with "Сегодня", the exit time, the clock and "Ok".
#pragma once

#include <QRect>

namespace schedule_layout {

// The client area.
constexpr int kWidth = 500;
constexpr int kHeight = 376;

// Columns: every-day box, date (or "Every day"), time, program, full-screen box.
struct Column {
  int left;
  int width;
};
constexpr Column kEveryDay{8, 56};
constexpr Column kDate{68, 118};
constexpr Column kTime{190, 56};
constexpr Column kProgram{250, 180};
constexpr Column kFull{434, 58};

// The column titles: one line, or two halves of a two-line title.
constexpr int kHeaderTop = 8;
constexpr int kHeaderHeight = 32;

// Row n (1..10).
constexpr int kRowTop = 46;
constexpr int kRowPitch = 26;
constexpr int kRowHeight = 22;
constexpr int kBoxSize = 20;  // a check box without a caption
constexpr int rowTop(int n) { return kRowTop + (n - 1) * kRowPitch; }

// The footer.
constexpr QRect kToday(8, 312, 96, 24);
constexpr QRect kExit(112, 312, 196, 22);
constexpr QRect kExitTime(310, 312, 50, 22);
constexpr QRect kSwitchOff(112, 340, 248, 22);
constexpr QRect kClock(372, 312, 120, 24);
constexpr QRect kOk(372, 342, 120, 26);

// The caption bar and its "X", above the client area as the window's title bar stands in for
// them.
constexpr int kCaptionHeight = 18;
constexpr QRect kCaption(0, -kCaptionHeight - 2, kWidth - kCaptionHeight - 2, kCaptionHeight);
constexpr QRect kCaptionClose(kWidth - kCaptionHeight - 1, -kCaptionHeight - 2, kCaptionHeight,
                              kCaptionHeight);

}  // namespace schedule_layout
