// Definitions of the shared state that several stores and the chip layer reach.
#include "core/Channels.h"
#include "core/Settings.h"

SettingsBlock Settings{};
uint32_t CurInput = 0;

std::array<ChannelRecord, kChannelRows> ChannelTable{};
int32_t NumOfChannels = 0;
int32_t StartChannel = 0;
int32_t CurChannel = 1;
