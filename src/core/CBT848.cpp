#include "core/CBT848.h"

#include <type_traits>

#include "core/CBT848Registers.h"
#include "core/HardwareTables.h"
#include "core/Settings.h"
#include "platform/Clock.h"
#include "platform/HardwareLibrary.h"
#include "platform/MessageBox.h"


int FatalError(const std::string& text) {
  return platform::ShowMessageBox(text, "Fatal Error",
                                  platform::kMbOk | platform::kMbIconStop | platform::kMbSystemModal);
}

CBT848::~CBT848() { Close(); }

// ---- Opening

void CBT848::Open() {
  Close();  // an earlier Open of this object may hold a mapping and the library

  Failed = 0;
  TunerIndex = Settings.Tuner < kTunerRows ? Settings.Tuner : kDefaultTuner;
  CardIndex = Settings.Card < kCardRows ? Settings.Card : kDefaultCard;
  FMStereo = 1;
  Muted = 1;
  CurrentFrequency = 4000;
  LastBand = 0;  // a re-opened object must send its first band word again
  Resource1 = Resource2 = Resource3 = 0;
  input_ = 0;

  Library = platform::LoadHardwareLibrary();
  if (!Library) {
    FatalError("Error load DLL");
    Failed = 1;
    return;
  }
  // Missing exports, no card and a refused mapping fail silently: the caller reports them.
  if (!bindExports() || !FindCard()) {
    Failed = 1;
    return;
  }
  Mapping = memoryMap(Resource1, Resource2);
  if (!Mapping) {
    Failed = 1;
    return;
  }
  try {
    startChip();
  } catch (const CExcept& e) {
    FatalError(e.Message);
    Failed = 1;
  }
  if (!Failed) SetMute(0);
}

void CBT848::Close() {
  if (Mapping && memoryUnmap) memoryUnmap(Resource1, Resource2);
  Mapping = 0;
  if (Library) platform::FreeHardwareLibrary(Library);
  Library = nullptr;
  pciGetHardwareResources = nullptr;
  isDriverOpened = nullptr;
  memoryUnmap = nullptr;
  memoryMap = nullptr;
  memoryRead = nullptr;
  memoryWrite = nullptr;
  Failed = 1;
}

bool CBT848::bindExports() {
  auto bind = [this](auto*& entry, const char* name) {
    entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(
        platform::FindExport(Library, name));
    return entry != nullptr;
  };
  // Every binding is attempted, in the library's documented order, before judging.
  bool ok = bind(pciGetHardwareResources, hwiodrv::kPciGetHardwareResources);
  ok = bind(isDriverOpened, hwiodrv::kIsDriverOpened) && ok;
  ok = bind(memoryUnmap, hwiodrv::kMemoryUnmap) && ok;
  ok = bind(memoryRead, hwiodrv::kMemoryRead) && ok;
  ok = bind(memoryWrite, hwiodrv::kMemoryWrite) && ok;
  ok = bind(memoryMap, hwiodrv::kMemoryMap) && ok;
  return ok;
}

bool CBT848::FindCard() {
  if (!pciGetHardwareResources) return false;
  for (uint32_t device : bt848::kDevices)
    if (pciGetHardwareResources(bt848::kVendor, device, &Resource1, &Resource2, &Resource3) == 0)
      return true;
  return false;
}

// The chip and tuner's starting state: muted, tuner initialised and tuned to 40.00 MHz (or the
// current frequency), GPIO bit 12 an input, the tuner's audio selected.
void CBT848::startChip() {
  SetMute(1);
  InitTuner();
  SetFrequency(CurrentFrequency < 4000 ? 4000 : CurrentFrequency);
  AndBT(bt848::kGpioOutEn, ~0x1000u);
  const CardRow& card = cardRow();
  WriteBT(bt848::kGpioData, (ReadBT(bt848::kGpioData) & ~card.TonMask) | card.TonMux0);
  SetFMStereo(FMStereo);
  SetFrequency(CurrentFrequency);
}

const TunerRow& CBT848::tunerRow() const {
  return TunerTable[TunerIndex < kTunerRows ? TunerIndex : kDefaultTuner];
}

const CardRow& CBT848::cardRow() const {
  return CardTable[CardIndex < kCardRows ? CardIndex : kDefaultCard];
}

// ---- The choke point

uint32_t CBT848::busRead(uint32_t offset) {
  if (Failed || !memoryRead) throw CExcept{"ReadBT", 1};
  return memoryRead(offset);
}

void CBT848::busWrite(uint32_t offset, uint32_t value) {
  if (Failed || !memoryWrite) return;
  memoryWrite(offset, value);
}

// Starts an I2C transfer: clear I2CDONE, write the control word (which runs the transfer), then
// give it the time it needs.
void CBT848::i2cTransfer(uint32_t control, uint32_t waitMs) {
  busWrite(bt848::kIntStat, bt848::kI2cDone);
  busWrite(bt848::kI2c, control);
  platform::SleepMs(waitMs);
}

// ---- Register primitives

uint32_t CBT848::ReadBT(uint32_t offset) { return busRead(offset); }

bool CBT848::WriteBT(uint32_t offset, uint32_t value) {
  if (!IsOpen()) return false;
  busWrite(offset, value);
  return true;
}

// The decoder's registers are bytes: only the low byte of the old contents is written back.
void CBT848::MaskBT(uint32_t offset, uint32_t value, uint32_t mask) {
  uint32_t old = ReadBT(offset);
  WriteBT(offset, ((old & ~mask) & 0xFF) | (value & mask));
}

void CBT848::AndBT(uint32_t offset, uint32_t mask) { WriteBT(offset, ReadBT(offset) & mask); }

void CBT848::OrBT(uint32_t offset, uint32_t bits) {
  WriteBT(offset, (ReadBT(offset) & 0xFF) | bits);
}

// ---- I2C primitives

// Address byte, then the word's high and low byte. The acknowledge is not tested.
bool CBT848::WriteI2C(uint32_t address, uint32_t word) {
  i2cTransfer((address & 0xFF) << 24 | (word & 0xFFFF) << 8 | bt848::kI2cWrite3, 5);
  return true;
}

uint8_t CBT848::ReadI2C(uint32_t address, uint32_t waitMs) {
  i2cTransfer(((address | 1) & 0xFF) << 24 | bt848::kI2cRead, waitMs);
  if (!(ReadBT(bt848::kIntStat) & bt848::kRack)) throw CExcept{"ReadI2C", 2};
  return static_cast<uint8_t>(ReadBT(bt848::kI2c) >> 8);
}
