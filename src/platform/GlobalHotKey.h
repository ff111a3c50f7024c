// A key combination reserved for the program on the whole desktop, whichever window has the
// focus: the capture's abort key. Only one combination is held at a time, and only while it is
// needed (a capture runs), so that the key stays the user's the rest of the time.
#pragma once

#include <QObject>

#include <cstdint>

namespace platform {

class GlobalHotKey : public QObject {
  Q_OBJECT

public:
  // Modifier flags, as Windows numbers them.
  static constexpr uint32_t kModControl = 2;
  static constexpr uint32_t kModShift = 4;

  // Reserves the key with virtual-key code `vk` (Escape, Space, End, Home, Print Screen, the
  // digits, the letters, F1-F12) with `modifiers`; a combination held before is let go first.
  // False when another program holds it, the key is not one of those, or there is no desktop.
  virtual bool grab(uint32_t modifiers, uint32_t vk) = 0;
  virtual void release() = 0;
  virtual bool grabbed() const = 0;

  // The simulated desktop under the simulation switch, else the X server.
  static GlobalHotKey& current();

signals:
  // The held combination was pressed.
  void pressed();
};

}  // namespace platform
