// The chip object: the one path from the program to the capture card. It loads the hardware I/O
// library, finds and maps the card, and drives the video decoder's registers, the tuner on the
// chip's I2C bus and the audio switch and remote receiver on its GPIO port.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "hwiodrv/hwiodrv.h"

struct CardRow;
struct TunerRow;

// The chip layer's exception, thrown by value: {"ReadBT", 1} for a register read on an unusable
// object, {"ReadI2C", 2} for an I2C read that no device acknowledged. Its text (what()) is the
// message, so one that escapes to the application's boundary shows what failed.
struct CExcept : std::exception {
  CExcept(const char* message, int32_t code) : Message(message), Code(code) {}
  const char* what() const noexcept override { return Message ? Message : "CExcept"; }

  const char* Message;
  int32_t Code;
};

// A message box with the caption "Fatal Error", a stop icon, system-modal. Returns its result.
int FatalError(const std::string& text);

// The rows of the hardware tables an Open uses (the settings Tuner and Card); a row outside its
// table gives the default row.
struct CardChoice {
  uint32_t Tuner = 0;
  uint32_t Card = 0;
};

// How GPIO_DATA carries the remote receiver's code (remote.ini's NeedToReset, ShiftBT,
// ShiftResult, Mask1 and Mask2).
struct RemoteDecoding {
  uint32_t NeedToReset = 0;
  uint16_t ShiftBT = 0;
  uint16_t ShiftResult = 0;
  uint16_t Mask1 = 0;
  uint16_t Mask2 = 0;
};

// The chip object reports its failures to the caller, which decides what the user sees; it
// shows nothing itself. Register reads on an unusable object throw CExcept (see
// src/core/README.md).
class CBT848 {
public:
  // Why the last Open left the object unusable.
  enum class OpenFailure {
    kNone,            // open
    kLibraryMissing,  // the hardware I/O library did not load
    kExportMissing,   // it lacks one of the six exports
    kNoCard,          // none of the four chips is on the bus
    kMappingRefused,  // the register window could not be mapped
    kStartFailed,     // the chip or tuner failed while being started (StartFailure says how)
  };

  CBT848() = default;
  CBT848(const CBT848&) = delete;  // one owner of the mapping and the library
  CBT848& operator=(const CBT848&) = delete;
  virtual ~CBT848();

  // --- Opening and register access (CBT848.cpp)
  // Resets every field, then loads the library, finds and maps the card and starts the chip and
  // tuner; on any failure the object is left unusable and LastOpenFailure says why.
  void Open(const CardChoice& choice);
  void Close();  // unmaps what was mapped and frees the library; Open does this first itself
  bool FindCard();
  bool IsOpen() const { return !failed_; }
  OpenFailure LastOpenFailure() const { return openFailure_; }
  // The exception that stopped the start (kStartFailed); {nullptr, 0} otherwise.
  const CExcept& StartFailure() const { return startFailure_; }
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
  // 0 tuner, 1 "AV", 2 "SVHS". soundOff: the user has switched the sound off, so the new
  // input's audio is muted again at once.
  bool SetInput(uint32_t n, bool soundOff);
  bool SetVideoFormat(uint32_t n);
  int32_t SetSystemTiming(int32_t width, int32_t height, uint32_t n);
  bool SetBrightness(int32_t v);
  bool SetContrast(int32_t v);
  bool SetSaturationU(int32_t v);
  bool SetSaturationV(int32_t v);
  // standard: the standard (0..9) of the channel being shown; only NTSC_M and NTSC_J have a hue.
  bool SetHue(int32_t v, uint32_t standard);
  bool SetPLL(uint32_t mode);
  bool SetMute(uint32_t on);
  uint32_t ReadRemote(const RemoteDecoding& decoding);
  bool IsSignalLocked();
  bool IsVideoPresent();

  // The rows in use; an index out of its table gives the default row.
  const TunerRow& tunerRow() const;
  const CardRow& cardRow() const;

  // --- What the object holds. A never-opened object is unusable, so nothing reaches a null
  // entry point.
  bool FMStereo() const { return fmStereo_; }
  bool Muted() const { return muted_; }
  int32_t CurrentFrequency() const { return currentFrequency_; }  // 10 kHz units
  uint32_t LastBand() const { return lastBand_; }                 // the band word last sent
  uint32_t TunerIndex() const { return tunerIndex_; }
  uint32_t CardIndex() const { return cardIndex_; }
  // The three words the library's PCI look-up gave for the card found (0 before).
  uint32_t Resource1() const { return resource1_; }
  uint32_t Resource2() const { return resource2_; }
  uint32_t Resource3() const { return resource3_; }
  bool LibraryLoaded() const { return library_ != nullptr; }
  bool Mapped() const { return mapping_ != 0; }

  // Tuning arithmetic, exposed for tests: kHz from 10 kHz units, the rounding to 10 kHz, and
  // the divider (before the IF offset) of a rounded kHz value.
  static int64_t FrequencyToKHz(int32_t f);
  static int64_t RoundTo10KHz(int64_t kHz);
  static int64_t KHzToDivider(int64_t k);

private:
  bool bindExports();
  void startChip();
  void sendToTuner(uint32_t word);
  void writeNineBit(uint32_t lowRegister, uint32_t msbBit, int32_t v);
  void setAudio(uint32_t value);
  void fail(OpenFailure why);

  // The one choke point of all hardware access.
  uint32_t busRead(uint32_t offset);
  void busWrite(uint32_t offset, uint32_t value);
  void i2cTransfer(uint32_t control, uint32_t waitMs);

  bool fmStereo_ = false;
  bool muted_ = false;
  int32_t currentFrequency_ = 0;
  uint32_t lastBand_ = 0;
  void* library_ = nullptr;
  bool failed_ = true;
  OpenFailure openFailure_ = OpenFailure::kNone;
  CExcept startFailure_{nullptr, 0};
  uint32_t resource1_ = 0;
  uint32_t resource2_ = 0;
  uint32_t resource3_ = 0;
  uint32_t mapping_ = 0;
  PciGetHardwareResourcesFn* pciGetHardwareResources_ = nullptr;
  IsDriverOpenedFn* isDriverOpened_ = nullptr;
  MemoryUnmapFn* memoryUnmap_ = nullptr;
  MemoryMapFn* memoryMap_ = nullptr;
  MemoryReadFn* memoryRead_ = nullptr;
  MemoryWriteFn* memoryWrite_ = nullptr;
  uint32_t tunerIndex_ = 0;
  uint32_t cardIndex_ = 0;
  uint32_t input_ = 0;  // the video input last selected; unmuting restores its audio
};

// Shows what a failed Open calls for, as the opening code of OpenCard and the start-up probe
// does: "Error load DLL" when the library did not load, the exception's text when the chip's
// start failed (both as FatalError); nothing for the other failures, which the caller reports
// in its own words.
void ReportOpenFailure(const CBT848& chip);

// The one chip object, null while none exists.
extern CBT848*& CardDevice;

// The frequency of the previous SetFrequency call (10 kHz units), shared by every object; it
// decides whether the FM pre-sequence runs.
extern int32_t& PrevFrequency;

// Remote-receiver decoding, loaded from remote.ini; CurrentRemoteDecoding gathers them for
// CBT848::ReadRemote.
extern uint32_t& NeedToReset;
extern uint16_t& ShiftBT;
extern uint16_t& ShiftResult;
extern uint16_t& Mask1;
extern uint16_t& Mask2;
RemoteDecoding CurrentRemoteDecoding();

// True while the user has switched the sound off.
extern bool& SoundMuted;
