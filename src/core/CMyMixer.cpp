#include "core/CMyMixer.h"

#include <iterator>
#include <new>
#include <stdexcept>

#include "core/Settings.h"
#include "platform/MessageBox.h"

using namespace platform;


namespace {

bool knownUnits(uint32_t controlType) {
  switch (controlType & kMixerUnitsMask) {
    case kMixerUnitsBoolean:
    case kMixerUnitsSigned:
    case kMixerUnitsUnsigned:
    case kMixerUnitsDecibels:
    case kMixerUnitsPercent:
      return true;
    default:
      return false;
  }
}

}  // namespace

CMyMixer::CMyMixer() = default;

CMyMixer::~CMyMixer() { close(); }

void CMyMixer::close() {
  handle_.reset();
  control_ = {};
  details_ = {};
  buffer_.clear();
  buffer_.shrink_to_fit();
}

int CMyMixer::fail(const char* text, bool showErrors) {
  close();
  if (showErrors && text) ShowMessageBox(text, "Error", kMbOk | kMbIconStop);
  return 0;
}

int CMyMixer::Open(uint32_t destinationType, uint32_t sourceType, uint32_t controlType,
                   void* /*callbackWindow*/, bool showErrors) {
  MixerBackend& mixers = MixerBackend::current();
  // Also closes a control bound earlier: a failed open always leaves the object closed.
  if (mixers.deviceCount() == 0) return fail("No mixer device present", showErrors);
  close();

  handle_ = mixers.open(0);
  if (!handle_) return fail("Could not open mixer device", showErrors);

  auto destination = handle_->findDestination(destinationType);
  if (!destination) return fail("The destination line was not found", showErrors);

  MixerLine line = destination->second;
  if (sourceType != kMixerSourceNone) {
    auto source = handle_->findSource(destination->first, destination->second, sourceType);
    if (!source) return fail("The source line not found", showErrors);
    line = *source;
  }
  return bindControl(line, controlType, showErrors) ? 1 : 0;
}

bool CMyMixer::bindControl(const MixerLine& line, uint32_t controlType, bool showErrors) {
  if (line.controls == 0) return fail("No controls available for this audio line", showErrors);

  auto control = handle_->control(line.lineId, controlType);
  if (!control) return fail(nullptr, showErrors);
  control_ = *control;

  details_.controlId = control_.controlId;
  details_.items = control_.items;
  details_.channels = (control_.flags & kMixerControlUniform) ? 1 : line.channels;
  if (!knownUnits(control_.type)) return fail("Control uses unknown units", showErrors);

  size_t items = (control_.flags & kMixerControlMultiple) ? control_.items : 1;
  try {
    buffer_.assign(items * details_.channels, 0);
  } catch (const std::bad_alloc&) {
    return fail("Memory allocation error.", showErrors);
  } catch (const std::length_error&) {
    return fail("Memory allocation error.", showErrors);
  }
  return true;
}

// Reads the control's current values into `values`; with `newValues`, then writes those. A closed
// object has no mixer to ask, and fails.
bool CMyMixer::transfer(std::span<uint32_t> values, const uint32_t* newValues) {
  if (!handle_ || !handle_->getValues(details_.controlId, values)) return false;
  if (!newValues) return true;
  for (size_t i = 0; i < values.size(); ++i) values[i] = newValues[i];
  return handle_->setValues(details_.controlId, values);
}

bool CMyMixer::SetValue(uint32_t value) {
  uint32_t local = 0;
  return transfer({&local, 1}, &value);
}

uint32_t CMyMixer::GetValue() {
  uint32_t local = 0;
  return transfer({&local, 1}, nullptr) ? local : 0;
}

bool CMyMixer::SetStereo(uint32_t left, uint32_t right) {
  uint32_t local[2] = {0, 0};
  const uint32_t wanted[2] = {left, right};
  return transfer(local, wanted);
}

bool CMyMixer::GetStereo(uint32_t& left, uint32_t& right) {
  uint32_t local[2] = {0, 0};
  bool ok = transfer(local, nullptr);
  left = ok ? local[0] : 0;
  right = ok ? local[1] : 0;
  return ok;
}

uint32_t CardSourceLine() {
  uint32_t connector = Settings.SoundConnector;
  if (connector > kMixerSourceLast - kMixerSourceFirst) return 0xFFFFFFFF;  // no such line
  return kMixerSourceFirst + connector;
}

void InitMixerObjects() {
  FreeMixerObjects();  // a second start-up must not leak the first eight
  LineVol = new CMyMixer;
  RecLineVol = new CMyMixer;
  MasterVol = new CMyMixer;
  RecMasterVol = new CMyMixer;
  LineMute = new CMyMixer;
  RecLineMute = new CMyMixer;
  MasterMute = new CMyMixer;
  RecMasterMute = new CMyMixer;
}

void FreeMixerObjects() {
  CMyMixer** objects[] = {&LineVol,  &RecLineVol,  &MasterVol,  &RecMasterVol,
                          &LineMute, &RecLineMute, &MasterMute, &RecMasterMute};
  for (auto it = std::rbegin(objects); it != std::rend(objects); ++it) {
    delete **it;
    **it = nullptr;
  }
}
