#include "viewer/Clist.h"


TForm6::TForm6(QWidget* owner) : QWidget(owner, Qt::Window) {
  Form6 = this;
  setObjectName("Form6");
  setWindowTitle("Channels");
}
