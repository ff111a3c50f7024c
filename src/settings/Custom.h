// TForm7, the settings dialog "Settings".
// LATER(settings dialog: its pages, the language loader it runs at start-up, the skin list)
#pragma once

#include <QWidget>

class TForm7 : public QWidget {
public:
  explicit TForm7(QWidget* owner = nullptr);
};

extern TForm7*& Form7;
