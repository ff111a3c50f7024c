// The chip object: the one path from the program to the capture card. It loads the hardware I/O
// library, finds and maps the card, and drives the video decoder's registers, the tuner on the
// chip's I2C bus and the audio switch and remote receiver on its GPIO port.
#pragma once

#include <cstdint>
#include <string>

#include "hwiodrv/hwiodrv.h"

struct CardRow;
struct TunerRow;

// The chip layer's exception, thrown by value: {"ReadBT", 1} for a register read on an unusable
// object, {"ReadI2C", 2} for an I2C read that no device acknowledged.
struct CExcept {
  const char* Message;
  int32_t Code;
};

// A message box with the caption "Fatal Error", a stop icon, system-modal. Returns its result.
int FatalError(const std::string& text);

class CBT848 {
public:
  CBT848() = default;
  CBT848(const CBT848&) = delete;  // one owner of the mapping and the library
  CBT848& operator=(const CBT848&) = delete;
  virtual ~CBT848();

  // --- Opening and register access (CBT848.cpp)
  void Open();   // sets every field; on any failure the object is left failed
  void Close();  // unmaps what was mapped and frees the library; Open does this first itself
  bool FindCard();
  bool IsOpen() const { return !Failed; }
  uint32_t ReadBT(uint32_t offset);  // throws {"ReadBT", 1} when not open
  bool WriteBT(uint32_t offset, uint32_t value);
  void MaskBT(uint32_t offset, uint32_t value, uint32_t mask);
  void AndBT(uint32_t offset, uint32_t mask);
  void OrBT(uint32_t offset, uint32_t bits);
  bool WriteI2C(uint32_t address, uint32_t word);
  uint8_t ReadI2C(uint32_t address, uint32_t waitMs);  // throws {"ReadI2C", 2} without RACK

  // --- Tuner (CBT848Tuner.cpp); frequencies in 10 kHz units
  void SetFrequency(int32_t f);
  bool InitTuner();
  bool SetFMStereo(uint32_t on);
  int32_t GetTunerStatus();

  // --- Decoder, audio switch, remote receiver (CBT848Decoder.cpp)
  bool SetInput(uint32_t n);  // 0 tuner, 1 "AV", 2 "SVHS"
  bool SetVideoFormat(uint32_t n);
  int32_t SetSystemTiming(int32_t width, int32_t height, uint32_t n);
  bool SetBrightness(int32_t v);
  bool SetContrast(int32_t v);
  bool SetSaturationU(int32_t v);
  bool SetSaturationV(int32_t v);
  bool SetHue(int32_t v);
  bool SetPLL(uint32_t mode);
  bool SetMute(uint32_t on);
  uint32_t ReadRemote();
  bool IsSignalLocked();
  bool IsVideoPresent();

  // The rows in use; an index out of its table gives the default row.
  const TunerRow& tunerRow() const;
  const CardRow& cardRow() const;

  // Tuning arithmetic, exposed for tests: kHz from 10 kHz units, the rounding to 10 kHz, and
  // the divider (before the IF offset) of a rounded kHz value.
  static int64_t FrequencyToKHz(int32_t f);
  static int64_t RoundTo10KHz(int64_t kHz);
  static int64_t KHzToDivider(int64_t k);

  // --- Fields. A never-opened object is failed, so nothing reaches a null entry point.
  uint32_t FMStereo = 0;
  uint32_t Muted = 0;
  int32_t CurrentFrequency = 0;
  uint32_t LastBand = 0;
  void* Library = nullptr;
  uint8_t Failed = 1;
  uint32_t Resource1 = 0;
  uint32_t Resource2 = 0;
  uint32_t Resource3 = 0;
  uint32_t Mapping = 0;
  PciGetHardwareResourcesFn* pciGetHardwareResources = nullptr;
  IsDriverOpenedFn* isDriverOpened = nullptr;
  MemoryUnmapFn* memoryUnmap = nullptr;
  MemoryMapFn* memoryMap = nullptr;
  MemoryReadFn* memoryRead = nullptr;
  MemoryWriteFn* memoryWrite = nullptr;
  uint32_t TunerIndex = 0;
  uint32_t CardIndex = 0;

private:
  bool bindExports();
  void startChip();
  void sendToTuner(uint32_t word);
  void writeNineBit(uint32_t lowRegister, uint32_t msbBit, int32_t v);
  void setAudio(uint32_t value);

  // The one choke point of all hardware access.
  uint32_t busRead(uint32_t offset);
  void busWrite(uint32_t offset, uint32_t value);
  void i2cTransfer(uint32_t control, uint32_t waitMs);

  uint32_t input_ = 0;  // the video input last selected; unmuting restores its audio
};

// The one chip object, null while none exists.
extern CBT848*& CardDevice;

// The frequency of the previous SetFrequency call (10 kHz units), shared by every object; it
// decides whether the FM pre-sequence runs.
extern int32_t& PrevFrequency;

// Remote-receiver decoding, loaded from remote.ini.
extern uint32_t& NeedToReset;
extern uint16_t& ShiftBT;
extern uint16_t& ShiftResult;
extern uint16_t& Mask1;
extern uint16_t& Mask2;

// True while the user has switched the sound off.
extern bool& SoundMuted;
