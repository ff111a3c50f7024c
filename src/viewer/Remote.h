// TForm8, the remote control's invisible window. remote.ini's RemoteDelay is loaded with the
// settings.
// LATER(remote control: the key codes, the 20 ms poll and the no-signal check)
#pragma once

#include <QWidget>

class TForm8 : public QWidget {
public:
  explicit TForm8(QWidget* owner = nullptr);
};

extern TForm8*& Form8;
