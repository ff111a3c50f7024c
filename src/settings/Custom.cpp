#include "settings/Custom.h"

TForm7::TForm7(QWidget* owner) : QWidget(owner, Qt::Window) {
  Form7 = this;
  setObjectName("Form7");
  setWindowTitle("Settings");
}
