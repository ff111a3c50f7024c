// The built-in hardware tables: capture-card models (GPIO audio switching), tuner models (I2C
// address, band words, band limits) and video standards (decoder timing), with their custom rows
// kept in settings.ini.
#pragma once

#include <array>
#include <cstdint>

struct CardRow {
  uint32_t Id;         // the row's own number
  uint32_t VideoMux0;  // carried and edited; no chip operation applies the video mux values
  uint32_t VideoMux1;
  uint32_t VideoMux2;
  uint32_t VideoMask;
  uint32_t TonMux0;    // GPIO_DATA value for the tuner's audio
  uint32_t TonMux1;    // GPIO_DATA value for the external audio ("AV" and "SVHS")
  uint32_t TonMux2;    // carried and edited only
  uint32_t TonMute;    // GPIO_DATA value for silence
  uint32_t TonMask;    // the GPIO_DATA bits the values above own
  uint32_t OutEn;      // GPIO_OUT_EN := (GPIO_OUT_EN & ~OutMask) | OutEn
  uint32_t OutMask;
};

struct TunerRow {
  uint32_t Id;
  uint32_t Address;     // I2C write address byte
  uint32_t VHFLow;      // band words: control byte high, band-switch byte low
  uint32_t VHFHigh;
  uint32_t UHF;
  uint32_t Threshold1;  // band limits in 10 kHz units
  uint32_t Threshold2;
  uint32_t FMStereo;    // band words for FM radio
  uint32_t FMMono;
};

// IFORM crystal selects of TVSystemRow::IFormXT.
constexpr uint8_t kXT0 = 8;
constexpr uint8_t kXT1 = 16;

struct TVSystemRow {
  uint16_t CropWidth;
  uint16_t CropHeight;
  uint16_t TotalWidth;
  uint8_t DelayA;
  uint8_t DelayB;
  uint8_t IFormSys;  // IFORM format code 0..7
  uint8_t IFormXT;   // kXT0 or kXT1
  uint32_t XsfNum;
  uint32_t XsfDen;
  uint16_t HDelayx1;
  uint16_t HActivex1;
  uint16_t VDelay;
  uint16_t CropOffset;
};

constexpr int kCardRows = 37;
constexpr int kTunerRows = 21;
constexpr int kTVSystemRows = 9;
constexpr int kCustomSystemRow = 8;

// Default rows of the settings Card and Tuner.
constexpr uint32_t kDefaultCard = 8;
constexpr uint32_t kDefaultTuner = 5;

// The tables in use: the built-in rows below, with the custom rows as loaded.
extern std::array<CardRow, kCardRows>& CardTable;
extern std::array<TunerRow, kTunerRows>& TunerTable;
extern std::array<TVSystemRow, kTVSystemRows>& TVSystemTable;
// The built-in rows; the custom rows are zero.
extern const std::array<CardRow, kCardRows> kBuiltinCardTable;
extern const std::array<TunerRow, kTunerRows> kBuiltinTunerTable;
extern const std::array<TVSystemRow, kTVSystemRows> kBuiltinTVSystemTable;

// The staging record of [CustomSystem]; LoadCustomSystem copies it into TVSystemTable row 8.
extern TVSystemRow& CustomTVSystem;

// Names of the rows as the settings dialog lists them.
extern const std::array<const char*, kCardRows> CardNames;
extern const std::array<const char*, kTunerRows> TunerNames;

// Names of the video standards 0..9 as the panel, channel list and scheduler show them.
extern const std::array<const char*, 10> TVSystemNames;

// [CustomCard], [CustomTuner] and [CustomSystem] of settings.ini in the program folder.
void LoadCustomCard();
void SaveCustomCard();
void LoadCustomTuner();
void SaveCustomTuner();
void LoadCustomSystem();
void SaveCustomSystem();
