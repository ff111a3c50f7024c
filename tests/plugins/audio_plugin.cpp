// A test audio plug-in: exports audio_Set and records every call, so tests can see what the card
// functions pass. Built a second time without audio_Set (AUDIO_PLUGIN_WITHOUT_SET) for a plug-in
// that lacks the export. The log is read through audio_test_log, which only tests call.
#include <cstdint>
#include <type_traits>

#include "core/CardFunctions.h"
#include "plugins/AudioPluginLog.h"

namespace {
AudioPluginLog pluginLog{};
}  // namespace

#ifndef AUDIO_PLUGIN_WITHOUT_SET
extern "C" __attribute__((visibility("default"))) int32_t audio_Set(int32_t command,
                                                                     uint8_t value) {
  if (pluginLog.count < AudioPluginLog::kCapacity) {
    pluginLog.command[pluginLog.count] = command;
    pluginLog.value[pluginLog.count] = value;
  }
  ++pluginLog.count;
  return 0;
}
static_assert(std::is_same_v<decltype(audio_Set), AudioSetFn>);
#endif

extern "C" __attribute__((visibility("default"))) AudioPluginLog* audio_test_log() {
  return &pluginLog;
}
