#include "platform/GlobalHotKeySim.h"

#include "platform/GlobalHotKeyKeys.h"

namespace platform {

bool GlobalHotKeySim::grab(uint32_t modifiers, uint32_t vk) {
  release();
  if (!HotKeySymbol(vk) || elsewhere_.count({modifiers, vk})) return false;
  grabbed_ = true;
  modifiers_ = modifiers;
  vk_ = vk;
  ++grabs_;
  return true;
}

void GlobalHotKeySim::release() {
  grabbed_ = false;
  modifiers_ = vk_ = 0;
}

void GlobalHotKeySim::setHeldElsewhere(uint32_t modifiers, uint32_t vk) {
  elsewhere_.insert({modifiers, vk});
}

void GlobalHotKeySim::press(uint32_t modifiers, uint32_t vk) {
  if (grabbed_ && modifiers == modifiers_ && vk == vk_) emit pressed();
}

void GlobalHotKeySim::reset() {
  release();
  grabs_ = 0;
  elsewhere_.clear();
}

GlobalHotKeySim& SimGlobalHotKey() {
  static GlobalHotKeySim hotKey;
  return hotKey;
}

}  // namespace platform
