// What the test audio plug-in records of its audio_Set calls; tests reach it through the
// plug-in's export audio_test_log.
#pragma once

#include <cstdint>

struct AudioPluginLog {
  static constexpr int kCapacity = 64;
  int32_t count;  // every call, also those beyond kCapacity
  int32_t command[kCapacity];
  uint8_t value[kCapacity];
};

using AudioTestLogFn = AudioPluginLog*();
