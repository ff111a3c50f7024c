#include "viewer/Remote.h"


TForm8::TForm8(QWidget* owner) : QWidget(owner, Qt::Window) {
  Form8 = this;
  setObjectName("Form8");
}
