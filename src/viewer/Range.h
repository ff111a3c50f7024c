// TForm4, the scan dialog; its fields and the scan come with the frequency scan.
#pragma once

#include <QWidget>

class TForm4 : public QWidget {
public:
  explicit TForm4(QWidget* owner = nullptr);
};

extern TForm4*& Form4;
