// TForm2, the scheduler window "Vyx Video Scheduler": it loads schedule.ini and holds the exit
// options the shut-down reads.
// LATER(scheduler window: its rows, clock and tick)
#pragma once

#include <QWidget>

#include <cstdint>

class QCheckBox;

class TForm2 : public QWidget {
public:
  explicit TForm2(QWidget* owner = nullptr);

  QCheckBox* CheckBox13;  // leave the program at the exit time
  QCheckBox* CheckBox14;  // and switch the computer off
};

extern TForm2*& Form2;

// Set when the exit-at alarm has fired; the shut-down then may switch the computer off.
extern bool& ExitAlarmFired;
