// The channel list: 256 channel records loaded from channels.ini at start-up and written back at
// the orderly shut-down. Rows 0..253 are tuner channels, 254 the "AV" input, 255 "SVHS".
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct ChannelRecord {
  uint8_t Used;        // the row is a channel of the list; not stored
  float Freq;          // MHz
  uint8_t System;      // video standard 0..9, index into TVSystemNames
  std::string Name;    // up to 259 bytes
  uint8_t Volume;      // line volume, 0..65 on the panel's scale
  uint8_t Brightness;  // percent 0..100
  uint8_t Contrast;
  uint8_t Hue;
  uint8_t Saturation;
  uint32_t ParamA;     // passed to card hooks that ignore them; not stored
  uint8_t ParamB;
  uint8_t ParamC;
  uint8_t FMStereo;    // FM radio in stereo; not stored
};

constexpr int kChannelRows = 256;
constexpr int kMaxTunerChannels = 254;
constexpr int kAvRow = 254;
constexpr int kSvhsRow = 255;

extern std::array<ChannelRecord, kChannelRows>& ChannelTable;
extern int32_t& NumOfChannels; // tuner channels in rows 0..NumOfChannels-1
extern int32_t& StartChannel;  // the row shown at start
extern int32_t& CurChannel;    // the row being shown

// Fills ChannelTable, NumOfChannels and StartChannel from channels.ini in the program folder: rows
// 0..NumOfChannels-1 from [TVCnl1].., row 254 from [AV], row 255 from [SVHS]; every other row and
// every field the file does not hold is zero. NumOfChannels is held within 0..kMaxTunerChannels.
void LoadChannels();

// Writes StartChannel (as CurrentChannel, from 1), NumOfChannels and the stored rows back to
// channels.ini, replacing the file once (not at all when its bytes come out the same). Sections
// of rows beyond the list are left in the file.
void SaveChannels();
