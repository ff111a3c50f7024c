#include "sim/Bt848Card.h"

#include <cstdio>
#include <cstdlib>

#include "sim/EventLog.h"
#include "sim/SimClock.h"

namespace sim {

namespace {

constexpr uint32_t kDefaultDevice = 0x36E;  // Bt878
constexpr uint32_t kAbsent = 0xFFFFFFFF;    // what a read outside the mapped window returns

bool inWindow(uint32_t offset) { return offset < bt::kWindowSize && (offset & 3) == 0; }

std::vector<Station> startingLineup() {
  std::vector<Station> lineup = BuiltInStations();
  const char* path = std::getenv("VYX_SIM_STATIONS");
  if (path && *path) {
    std::string error;
    if (!LoadStationsFile(path, lineup, &error))
      std::fprintf(stderr, "simulated card: %s; using the built-in stations\n", error.c_str());
  }
  return lineup;
}

}  // namespace

void Bt848Card::reset() {
  cells_.clear();
  // The chip's own power-on picture values (gain 1 for luma and both chroma axes), so a station
  // shows a picture before the program has set any.
  cells_[bt::kContrastLo] = 0xD8;
  cells_[bt::kSatULo] = 0xFE;
  cells_[bt::kSatVLo] = 0xB4;
  tuner_.reset();
  stations_ = startingLineup();
  audioRow_ = AudioRow{};
  deviceId_ = kDefaultDevice;
  mapAllowed_ = true;
  failOpens_ = 0;
  mapped_ = false;
  mapCount_ = 0;
  unmapCount_ = 0;
  avConnected_ = false;
  svhsConnected_ = false;
  pllNeverLocks_ = false;
  pllLockMs_ = kDefaultPllLockMs;
  pllStartMs_ = 0;
  pllOutOfLock_ = false;
  gpioInputs_ = 0;
  remoteBits_ = 0;
}

// ---- PCI and mapping

int32_t Bt848Card::pciLookup(uint32_t vendor, uint32_t device, uint32_t* r1, uint32_t* r2,
                             uint32_t* r3) {
  bool found = vendor == kVendor && deviceId_ != kNoDevice && device == deviceId_;
  if (found) {
    if (r1) *r1 = kLocation;
    if (r2) *r2 = kBar0;
    if (r3) *r3 = bt::kWindowSize;
  }
  int32_t result = found ? 0 : 1;
  Log().add({Event::Kind::PciLookup, vendor, device, static_cast<uint32_t>(result)});
  return result;
}

uint32_t Bt848Card::map(uint32_t r1, uint32_t r2) {
  uint32_t result = 0;
  if (failOpens_ > 0) {
    --failOpens_;
  } else if (mapAllowed_ && deviceId_ != kNoDevice && r1 == kLocation && r2 == kBar0) {
    mapped_ = true;
    ++mapCount_;
    result = kBar0;
  }
  Log().add({Event::Kind::Map, r1, r2, result});
  return result;
}

void Bt848Card::unmap(uint32_t r1, uint32_t r2) {
  Log().add({Event::Kind::Unmap, r1, r2});
  if (!mapped_) return;
  mapped_ = false;
  ++unmapCount_;
}

// ---- Register access

uint32_t Bt848Card::read(uint32_t offset) {
  uint32_t value = mapped_ && inWindow(offset) ? peek(offset) : kAbsent;
  Log().add({Event::Kind::RegRead, offset, value});
  return value;
}

void Bt848Card::write(uint32_t offset, uint32_t value) {
  Log().add({Event::Kind::RegWrite, offset, value});
  if (!mapped_ || !inWindow(offset)) return;
  switch (offset) {
    case bt::kDstatus: writeDstatus(value); break;
    case bt::kIntStat: cells_[offset] = cell(offset) & ~value; break;  // write 1 to clear
    case bt::kI2c:
      cells_[offset] = value;
      runI2c(value);
      break;
    case bt::kPllFLo:
    case bt::kPllFHi:
    case bt::kPllXci: writePll(offset, value); break;
    default: cells_[offset] = value; break;
  }
}

uint32_t Bt848Card::peek(uint32_t offset) const {
  switch (offset) {
    case bt::kDstatus: return readDstatus();
    case bt::kGpioData: return gpioPins();
    default: return cell(offset);
  }
}

void Bt848Card::poke(uint32_t offset, uint32_t value) { cells_[offset] = value; }

uint32_t Bt848Card::cell(uint32_t offset) const {
  auto it = cells_.find(offset);
  return it == cells_.end() ? 0 : it->second;
}

// ---- Decoder status and PLL

uint32_t Bt848Card::readDstatus() const {
  uint32_t v = 0;
  if (videoPresent()) v |= bt::kPres;
  if (horizontalLock()) v |= bt::kHloc;
  if (pllOutOfLock_) v |= bt::kPlock;
  return v;
}

// Only the sticky PLL bit can be written: 0 clears it, unless the PLL is still out of lock, in
// which case the chip sets it again at once.
void Bt848Card::writeDstatus(uint32_t value) {
  if (!(value & bt::kPlock) && (!pllEnabled() || pllLocked())) pllOutOfLock_ = false;
}

void Bt848Card::writePll(uint32_t offset, uint32_t value) {
  cells_[offset] = value;
  pllOutOfLock_ = pllEnabled();
  pllStartMs_ = Clock().monotonicMs();
}

bool Bt848Card::pllLocked() const {
  return pllEnabled() && !pllNeverLocks_ && Clock().monotonicMs() - pllStartMs_ >= pllLockMs_;
}

// ---- Video sources

VideoInput Bt848Card::videoInput() const {
  switch ((cell(bt::kIform) >> 5) & 3) {
    case 2: return VideoInput::Tuner;
    case 3: return VideoInput::Composite;
    case 0: return VideoInput::SVideo;
    default: return VideoInput::None;
  }
}

const Station* Bt848Card::tunedStation() const {
  if (!tuner_.present() || !tuner_.tuned()) return nullptr;
  double mhz = tuner_.tunedMHz();
  if (!tuner_.covers(mhz)) return nullptr;
  for (const Station& s : stations_) {
    if (!s.contains(mhz)) continue;
    if (s.kind == Station::Kind::FM && !tuner_.fmIf()) continue;  // FM needs the FM IF
    return &s;
  }
  return nullptr;
}

int Bt848Card::tunerAfc() const {
  const Station* s = tunedStation();
  return s ? (s->afc & 7) : 0;
}

bool Bt848Card::videoPresent() const {
  switch (videoInput()) {
    case VideoInput::Tuner: {
      const Station* s = tunedStation();
      return s && s->kind == Station::Kind::TV;
    }
    case VideoInput::Composite: return avConnected_;
    case VideoInput::SVideo: return svhsConnected_;
    case VideoInput::None: return false;
  }
  return false;
}

bool Bt848Card::horizontalLock() const {
  if (!videoPresent()) return false;
  if (videoInput() != VideoInput::Tuner) return true;
  return tunedStation()->locks;
}

// ---- GPIO and audio

uint32_t Bt848Card::gpioPins() const {
  uint32_t oe = cell(bt::kGpioOutEn);
  uint32_t inputs = gpioInputs_ | remoteBits_;
  return (cell(bt::kGpioData) & oe) | (inputs & ~oe);
}

// The audio switch follows the latch. A value that means both mute and a source (a few card rows
// have such values) counts as muted.
AudioSource Bt848Card::audioSource() const {
  uint32_t mask = audioRow_.tonMask;
  uint32_t v = gpioLatch() & mask;
  if (v == (audioRow_.tonMute & mask)) return AudioSource::Muted;
  if (v == (audioRow_.tonMux0 & mask)) return AudioSource::Tuner;
  if (v == (audioRow_.tonMux1 & mask)) return AudioSource::External;
  return AudioSource::Other;
}

// ---- I2C

// A write to the I2C register runs the whole transfer at once: the address byte, then one data
// byte, or two with W3B. Reads return the device's status byte in bits 8-15.
void Bt848Card::runI2c(uint32_t control) {
  uint8_t address = static_cast<uint8_t>(control >> 24);
  uint8_t first = static_cast<uint8_t>(control >> 16);
  uint8_t second = static_cast<uint8_t>(control >> 8);
  bool threeBytes = control & bt::kI2cW3b;
  bool ack = tuner_.answers(address);
  if (address & 1) {
    uint8_t status = ack ? tunerStatus() : 0;
    Log().add({Event::Kind::I2cRead, address, status, ack ? 1u : 0u});
    if (ack) cells_[bt::kI2c] = (control & ~0xFF00u) | uint32_t{status} << 8;
  } else {
    uint32_t data = threeBytes ? (uint32_t{first} << 8 | second) : first;
    Log().add({Event::Kind::I2cWrite, address, data, ack ? 1u : 0u});
    if (ack && threeBytes) tuner_.write(first, second);
  }
  uint32_t status = cell(bt::kIntStat) | bt::kI2cDone;
  cells_[bt::kIntStat] = ack ? (status | bt::kRack) : (status & ~bt::kRack);
}

Bt848Card& Card() {
  static Bt848Card card;
  return card;
}

}  // namespace sim
