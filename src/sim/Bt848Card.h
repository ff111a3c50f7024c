// The simulated capture card: a Bt848-family chip at register level, with its tuner on the I2C
// bus, its GPIO port (audio switch, remote-control receiver) and what the antenna and the two
// video sockets deliver. The simulated hardware I/O library forwards its six exports here, so the
// chip object runs unchanged against it; tests and the picture source set the knobs and read the
// state. Every access through the library's view is written to the event log (sim::Log()).
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "sim/SimTuner.h"
#include "sim/Stations.h"

namespace sim {

// Registers and bits the model gives a meaning to (byte offsets of the register window).
namespace bt {
constexpr uint32_t kDstatus = 0x000;
constexpr uint32_t kIform = 0x004;
constexpr uint32_t kEControl = 0x02C;
constexpr uint32_t kOControl = 0x0AC;
constexpr uint32_t kContrastLo = 0x030;
constexpr uint32_t kSatULo = 0x034;
constexpr uint32_t kSatVLo = 0x038;
constexpr uint32_t kTgctrl = 0x084;
constexpr uint32_t kPllFLo = 0x0F0;
constexpr uint32_t kPllFHi = 0x0F4;
constexpr uint32_t kPllXci = 0x0F8;
constexpr uint32_t kIntStat = 0x100;
constexpr uint32_t kI2c = 0x110;
constexpr uint32_t kGpioOutEn = 0x118;
constexpr uint32_t kGpioRegInp = 0x11C;
constexpr uint32_t kGpioData = 0x200;
constexpr uint32_t kWindowSize = 0x1000;

constexpr uint32_t kPres = 0x80;   // DSTATUS: video present
constexpr uint32_t kHloc = 0x40;   // DSTATUS: horizontal lock
constexpr uint32_t kPlock = 0x04;  // DSTATUS: PLL out of lock; sticky, cleared by writing 0
constexpr uint32_t kI2cDone = 0x100;      // INT_STAT
constexpr uint32_t kRack = 0x2000000;     // INT_STAT: the last I2C transfer was acknowledged
constexpr uint32_t kI2cW3b = 0x04;        // I2C: three-byte transfer
}  // namespace bt

enum class VideoInput { None, Tuner, Composite, SVideo };  // IFORM MUXSEL 2, 3, 0; 1 is unwired
enum class AudioSource { Tuner, External, Muted, Other };

// The GPIO values of the card model in use (a row of the card table): which latch values switch
// the audio to the tuner, to the external input, or mute it.
struct AudioRow {
  uint32_t tonMux0 = 0x0;
  uint32_t tonMux1 = 0x800;
  uint32_t tonMute = 0x8DFF00;
  uint32_t tonMask = 0xFFFFFFFF;
};

class Bt848Card {
public:
  static constexpr uint32_t kVendor = 0x109E;
  static constexpr uint32_t kNoDevice = 0;
  static constexpr uint32_t kLocation = 0x0140;      // resource word 1: bus 1, device 8
  static constexpr uint32_t kBar0 = 0xE8000000;      // resource word 2
  static constexpr uint32_t kDefaultPllLockMs = 20;  // simulated time the PLL needs to lock

  Bt848Card() { reset(); }

  // Power-on state with the default knobs: a Bt878 (0x36E), mapping allowed, both sockets empty,
  // the built-in lineup (or the file named by VYX_SIM_STATIONS). Does not touch the event log.
  void reset();

  // --- Knobs
  void setDeviceId(uint32_t id) { deviceId_ = id; }  // 0x350, 0x351, 0x36E, 0x36F or kNoDevice
  uint32_t deviceId() const { return deviceId_; }
  void setMapAllowed(bool allowed) { mapAllowed_ = allowed; }
  void failNextOpens(int count) { failOpens_ = count; }  // the next `count` mappings fail
  void setAvConnected(bool on) { avConnected_ = on; }
  void setSvhsConnected(bool on) { svhsConnected_ = on; }
  void setPllNeverLocks(bool on) { pllNeverLocks_ = on; }
  void setPllLockMs(uint32_t ms) { pllLockMs_ = ms; }
  void setGpioInputs(uint32_t levels) { gpioInputs_ = levels; }  // pins not driven by the chip
  void pressRemote(uint32_t bits) { remoteBits_ = bits; }        // receiver output, on top
  void releaseRemote() { remoteBits_ = 0; }
  void setAudioRow(const AudioRow& row) { audioRow_ = row; }
  void setStations(std::vector<Station> stations) { stations_ = std::move(stations); }
  const std::vector<Station>& stations() const { return stations_; }
  SimTuner& tuner() { return tuner_; }
  const SimTuner& tuner() const { return tuner_; }

  // --- The hardware I/O library's view; every call is logged.
  int32_t pciLookup(uint32_t vendor, uint32_t device, uint32_t* r1, uint32_t* r2, uint32_t* r3);
  uint32_t map(uint32_t r1, uint32_t r2);
  void unmap(uint32_t r1, uint32_t r2);
  uint32_t read(uint32_t offset);
  void write(uint32_t offset, uint32_t value);

  // --- State, for tests and the picture source; nothing here is logged.
  bool mapped() const { return mapped_; }
  int mapCount() const { return mapCount_; }
  int unmapCount() const { return unmapCount_; }
  uint32_t peek(uint32_t offset) const;            // what a read would return
  void poke(uint32_t offset, uint32_t value);      // sets a cell, no side effects
  uint32_t gpioLatch() const { return cell(bt::kGpioData); }
  uint32_t gpioPins() const;                       // (latch & OE) | (inputs & ~OE)
  VideoInput videoInput() const;
  const Station* tunedStation() const;             // what the tuner receives, if anything
  int tunerAfc() const;                            // AFC code of the tuner's status byte
  uint8_t tunerStatus() const { return static_cast<uint8_t>(0x40 | tunerAfc()); }
  bool videoPresent() const;
  bool horizontalLock() const;
  bool pllEnabled() const { return cell(bt::kPllXci) != 0; }
  bool pllLocked() const;
  bool decoderOnPll() const { return (cell(bt::kTgctrl) & 0x18) == 0x08; }
  AudioSource audioSource() const;

private:
  uint32_t cell(uint32_t offset) const;
  uint32_t readDstatus() const;
  void writeDstatus(uint32_t value);
  void writePll(uint32_t offset, uint32_t value);
  void runI2c(uint32_t control);

  std::unordered_map<uint32_t, uint32_t> cells_;
  SimTuner tuner_;
  std::vector<Station> stations_;
  AudioRow audioRow_;
  uint32_t deviceId_ = 0;
  bool mapAllowed_ = true;
  int failOpens_ = 0;
  bool mapped_ = false;
  int mapCount_ = 0;
  int unmapCount_ = 0;
  bool avConnected_ = false;
  bool svhsConnected_ = false;
  bool pllNeverLocks_ = false;
  uint32_t pllLockMs_ = kDefaultPllLockMs;
  uint64_t pllStartMs_ = 0;
  bool pllOutOfLock_ = false;  // the sticky DSTATUS bit
  uint32_t gpioInputs_ = 0;
  uint32_t remoteBits_ = 0;
};

// The one simulated card.
Bt848Card& Card();

}  // namespace sim
