// Tuner and card description files: Windows profile files that fill the custom rows of the
// tuner and card tables. A tuner file (*.tun) gives [Params]; a card file (*.crd) gives
// [Settings]. A missing key reads as its default, so a file without the section imports the
// defaults.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/HardwareTables.h"

namespace hardware_import {

// The band words a tuner file cannot give: FM radio always uses these.
constexpr uint32_t kFMStereoWord = 0x8EA5;
constexpr uint32_t kFMMonoWord = 0x8EA7;
// The PLL mode of a card file without PLLInit, and of one whose value is out of range: the
// chip's PLL is left alone.
constexpr uint32_t kPLLUntouched = 3;

// Reads one key: (section, key, default text) -> the value text, as the profile reader gives it.
using KeyReader = std::function<std::string(const char*, const char*, const char*)>;

// A reader over the profile file at `path`.
KeyReader FileReader(const std::string& path);

// The custom tuner row as the file describes it: address and band words in hexadecimal, the
// two band limits in decimal, the FM words fixed. The row's Id is kept.
void ReadTuner(const KeyReader& read, TunerRow& row);

// The audio GPIO words of the custom card row (hexadecimal), OutMask all ones; the video mux
// values, VideoMask and Id are kept. Returns the PLL mode of PLLInit, checked as settings.ini's
// PLL is: past 3 it reads as 3.
uint32_t ReadCard(const KeyReader& read, CardRow& row);

// True when the file name's extension (after its last '.', in any letter case) is `extension`.
bool HasExtension(const std::string& path, const std::string& extension);

}  // namespace hardware_import
