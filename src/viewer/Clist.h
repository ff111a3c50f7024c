// TForm6, the channel list window; its grid and buttons come with the channel list editor.
#pragma once

#include <QWidget>

class TForm6 : public QWidget {
public:
  explicit TForm6(QWidget* owner = nullptr);
};

extern TForm6*& Form6;
