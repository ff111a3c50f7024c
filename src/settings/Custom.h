// TForm7, the settings dialog "Settings". Its pages, the language loader it runs at start-up
// and the skin list come with the settings dialog.
#pragma once

#include <QWidget>

class TForm7 : public QWidget {
public:
  explicit TForm7(QWidget* owner = nullptr);
};

extern TForm7*& Form7;
