// TForm6, the channel list window.
// LATER(channel list editor: its grid and buttons)
#pragma once

#include <QWidget>

class TForm6 : public QWidget {
public:
  explicit TForm6(QWidget* owner = nullptr);
};

extern TForm6*& Form6;
