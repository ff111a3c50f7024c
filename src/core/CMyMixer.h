// One volume or mute control of the sound card's mixer, and the eight global controls the program
// keeps: the card's source line and the master line, on the playback and the recording side.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/Mixer.h"

class CMyMixer {
public:
  CMyMixer();
  virtual ~CMyMixer();
  CMyMixer(const CMyMixer&) = delete;
  CMyMixer& operator=(const CMyMixer&) = delete;

  // Binds the control of `controlType` on the source line `sourceType` (kMixerSourceNone: the
  // destination line itself) of the first destination of `destinationType`. Closes a handle that
  // is open first. 1 on success; 0 on failure, which leaves the object closed and, when
  // `showErrors` is set, has told the user why. The callback window receives no notifications on
  // this platform; it is accepted for the callers' sake.
  int Open(uint32_t destinationType, uint32_t sourceType, uint32_t controlType,
           void* callbackWindow, bool showErrors);

  bool SetValue(uint32_t value);  // one value for all channels
  uint32_t GetValue();            // the first channel; 0 on error
  bool SetStereo(uint32_t left, uint32_t right);
  bool GetStereo(uint32_t& left, uint32_t& right);  // both 0 on error

  bool isOpen() const { return handle_ != nullptr; }

private:
  // What every transfer is prepared with: the control and its channel and item counts.
  struct Details {
    uint32_t controlId = 0;
    uint32_t channels = 0;
    uint32_t items = 0;
  };

  void close();
  int fail(const char* text, bool showErrors);
  bool bindControl(const platform::MixerLine& line, uint32_t controlType, bool showErrors);
  bool transfer(std::span<uint32_t> values, const uint32_t* newValues);

  std::unique_ptr<platform::MixerDevice> handle_;
  platform::MixerControl control_{};
  Details details_{};
  std::vector<uint32_t> buffer_;  // items x channels values, as the control was described
};

// The source line the card's sound arrives on: kMixerSourceFirst + Settings.SoundConnector.
// A SoundConnector beyond the last source type names no line at all, so the line controls fail
// to open rather than bind the master line.
uint32_t CardSourceLine();

extern CMyMixer*& LineVol;       // speakers, card's line, volume
extern CMyMixer*& RecLineVol;    // wave input, card's line, volume
extern CMyMixer*& MasterVol;     // speakers, destination line, volume
extern CMyMixer*& RecMasterVol;  // wave input, destination line, volume
extern CMyMixer*& LineMute;      // speakers, card's line, mute
extern CMyMixer*& RecLineMute;   // wave input, card's line, mute
extern CMyMixer*& MasterMute;    // speakers, destination line, mute
extern CMyMixer*& RecMasterMute; // wave input, destination line, mute

// Start-up and exit handlers: construct the eight objects (closed), and destroy them in reverse
// order, closing their handles.
void InitMixerObjects();
void FreeMixerObjects();
