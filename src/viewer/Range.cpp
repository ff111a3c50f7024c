#include "viewer/Range.h"


TForm4::TForm4(QWidget* owner) : QWidget(owner, Qt::Window) {
  Form4 = this;
  setObjectName("Form4");
  setWindowTitle("Freq scanning");
}
