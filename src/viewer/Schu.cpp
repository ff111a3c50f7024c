#include "viewer/Schu.h"

#include <QCheckBox>

#include "core/Schedule.h"
#include "viewer/LayoutHelpers.h"

TForm2::TForm2(QWidget* owner) : QWidget(owner, Qt::Window) {
  Form2 = this;
  setObjectName("Form2");
  setWindowTitle("Vyx Video Scheduler");
  CheckBox13 = new QCheckBox(layout::Ru("Выйти из программы в"), this);
  CheckBox13->setObjectName("CheckBox13");
  CheckBox14 = new QCheckBox(layout::Ru("и выключить компьютер"), this);
  CheckBox14->setObjectName("CheckBox14");
  CheckBox14->setGeometry(0, 24, 200, 20);
  // As the layout has it: switching off is offered only together with leaving.
  CheckBox14->setChecked(true);
  CheckBox14->setEnabled(false);
  LoadSchedule();
}
