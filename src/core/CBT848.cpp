#include "core/CBT848.h"

#include <type_traits>

#include "core/CBT848Registers.h"
#include "core/HardwareTables.h"
#include "platform/Clock.h"
#include "platform/HardwareLibrary.h"
#include "platform/MessageBox.h"


int FatalError(const std::string& text) {
  return platform::ShowMessageBox(text, "Fatal Error",
                                  platform::kMbOk | platform::kMbIconStop | platform::kMbSystemModal);
}

void ReportOpenFailure(const CBT848& chip) {
  switch (chip.LastOpenFailure()) {
    case CBT848::OpenFailure::kLibraryMissing: FatalError("Error load DLL"); break;
    case CBT848::OpenFailure::kStartFailed: FatalError(chip.StartFailure().Message); break;
    default: break;
  }
}

RemoteDecoding CurrentRemoteDecoding() {
  return {NeedToReset, ShiftBT, ShiftResult, Mask1, Mask2};
}

CBT848::~CBT848() { Close(); }

// ---- Opening

void CBT848::Open(const CardChoice& choice) {
  Close();  // an earlier Open of this object may hold a mapping and the library

  failed_ = false;
  openFailure_ = OpenFailure::kNone;
  startFailure_ = CExcept{nullptr, 0};
  tunerIndex_ = choice.Tuner < kTunerRows ? choice.Tuner : kDefaultTuner;
  cardIndex_ = choice.Card < kCardRows ? choice.Card : kDefaultCard;
  fmStereo_ = true;
  muted_ = true;
  currentFrequency_ = 4000;
  lastBand_ = 0;  // a re-opened object must send its first band word again
  resource1_ = resource2_ = resource3_ = 0;
  input_ = 0;

  library_ = platform::LoadHardwareLibrary();
  if (!library_) return fail(OpenFailure::kLibraryMissing);
  if (!bindExports()) return fail(OpenFailure::kExportMissing);
  if (!FindCard()) return fail(OpenFailure::kNoCard);
  mapping_ = memoryMap_(resource1_, resource2_);
  if (!mapping_) return fail(OpenFailure::kMappingRefused);
  try {
    startChip();
  } catch (const CExcept& e) {
    startFailure_ = e;
    return fail(OpenFailure::kStartFailed);
  }
  SetMute(0);
}

void CBT848::fail(OpenFailure why) {
  failed_ = true;
  openFailure_ = why;
}

void CBT848::Close() {
  if (mapping_ && memoryUnmap_) memoryUnmap_(resource1_, resource2_);
  mapping_ = 0;
  if (library_) platform::FreeHardwareLibrary(library_);
  library_ = nullptr;
  pciGetHardwareResources_ = nullptr;
  isDriverOpened_ = nullptr;
  memoryUnmap_ = nullptr;
  memoryMap_ = nullptr;
  memoryRead_ = nullptr;
  memoryWrite_ = nullptr;
  failed_ = true;
}

bool CBT848::bindExports() {
  auto bind = [this](auto*& entry, const char* name) {
    entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(
        platform::FindExport(library_, name));
    return entry != nullptr;
  };
  // Every binding is attempted, in the library's documented order, before judging.
  bool ok = bind(pciGetHardwareResources_, hwiodrv::kPciGetHardwareResources);
  ok = bind(isDriverOpened_, hwiodrv::kIsDriverOpened) && ok;
  ok = bind(memoryUnmap_, hwiodrv::kMemoryUnmap) && ok;
  ok = bind(memoryRead_, hwiodrv::kMemoryRead) && ok;
  ok = bind(memoryWrite_, hwiodrv::kMemoryWrite) && ok;
  ok = bind(memoryMap_, hwiodrv::kMemoryMap) && ok;
  return ok;
}

bool CBT848::FindCard() {
  if (!pciGetHardwareResources_) return false;
  for (uint32_t device : bt848::kDevices) {
    if (pciGetHardwareResources_(bt848::kVendor, device, &resource1_, &resource2_, &resource3_) ==
        0)
      return true;
  }
  return false;
}

// The chip and tuner's starting state: muted, tuner initialised and tuned to 40.00 MHz (or the
// current frequency), GPIO bit 12 an input, the tuner's audio selected.
void CBT848::startChip() {
  SetMute(1);
  InitTuner();
  SetFrequency(currentFrequency_ < 4000 ? 4000 : currentFrequency_);
  AndBT(bt848::kGpioOutEn, ~0x1000u);
  const CardRow& card = cardRow();
  WriteBT(bt848::kGpioData, (ReadBT(bt848::kGpioData) & ~card.TonMask) | card.TonMux0);
  SetFMStereo(fmStereo_);
  SetFrequency(currentFrequency_);
}

const TunerRow& CBT848::tunerRow() const {
  return TunerTable[tunerIndex_ < kTunerRows ? tunerIndex_ : kDefaultTuner];
}

const CardRow& CBT848::cardRow() const {
  return CardTable[cardIndex_ < kCardRows ? cardIndex_ : kDefaultCard];
}

// ---- The choke point

uint32_t CBT848::busRead(uint32_t offset) {
  if (failed_ || !memoryRead_) throw CExcept{"ReadBT", 1};
  return memoryRead_(offset);
}

void CBT848::busWrite(uint32_t offset, uint32_t value) {
  if (failed_ || !memoryWrite_) return;
  memoryWrite_(offset, value);
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
