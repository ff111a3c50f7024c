// TForm4, the frequency scan dialog.
// LATER(frequency scan: the dialog's fields and the scan)
#pragma once

#include <QWidget>

class TForm4 : public QWidget {
public:
  explicit TForm4(QWidget* owner = nullptr);
};

extern TForm4*& Form4;
