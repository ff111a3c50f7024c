// The simulated desktop's side of global hot keys: it remembers the combination held, refuses
// the ones "another program" holds, and lets a test press the held one.
#pragma once

#include <set>
#include <utility>

#include "platform/GlobalHotKey.h"

namespace platform {

class GlobalHotKeySim : public GlobalHotKey {
  Q_OBJECT

public:
  bool grab(uint32_t modifiers, uint32_t vk) override;
  void release() override;
  bool grabbed() const override { return grabbed_; }

  // --- For tests
  uint32_t heldModifiers() const { return modifiers_; }
  uint32_t heldKey() const { return vk_; }
  // Grabs made since the last reset.
  int grabCount() const { return grabs_; }
  void setHeldElsewhere(uint32_t modifiers, uint32_t vk);
  // Presses the combination: pressed() is raised when it is the held one.
  void press(uint32_t modifiers, uint32_t vk);
  void reset();

private:
  bool grabbed_ = false;
  uint32_t modifiers_ = 0;
  uint32_t vk_ = 0;
  int grabs_ = 0;
  std::set<std::pair<uint32_t, uint32_t>> elsewhere_;
};

GlobalHotKeySim& SimGlobalHotKey();

}  // namespace platform
