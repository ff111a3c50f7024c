#include "platform/MixerAlsa.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <string>

namespace platform {

namespace {

using Int128 = __int128;

// One line of the device: an element seen from its playback or its capture side.
struct AlsaLine {
  snd_mixer_elem_t* elem = nullptr;  // null: a destination without an element of its own
  bool capture = false;
  uint32_t componentType = 0;
};

struct AlsaDestination {
  uint32_t lineId = 0;
  std::vector<uint32_t> sources;  // line ids
};

// Control ids: line id * 2, plus 1 for the mute switch.
constexpr uint32_t kVolumeSlot = 0;
constexpr uint32_t kMuteSlot = 1;

snd_mixer_elem_t* findElement(snd_mixer_t* mixer, const char* name) {
  snd_mixer_selem_id_t* sid = nullptr;
  snd_mixer_selem_id_alloca(&sid);
  snd_mixer_selem_id_set_name(sid, name);
  snd_mixer_selem_id_set_index(sid, 0);
  return snd_mixer_find_selem(mixer, sid);
}

bool hasVolume(snd_mixer_elem_t* e, bool capture) {
  return capture ? snd_mixer_selem_has_capture_volume(e) : snd_mixer_selem_has_playback_volume(e);
}

bool hasSwitch(snd_mixer_elem_t* e, bool capture) {
  return capture ? snd_mixer_selem_has_capture_switch(e) : snd_mixer_selem_has_playback_switch(e);
}

bool isMono(snd_mixer_elem_t* e, bool capture) {
  return capture ? snd_mixer_selem_is_capture_mono(e) : snd_mixer_selem_is_playback_mono(e);
}

bool isJoined(snd_mixer_elem_t* e, bool capture, bool mute) {
  if (mute)
    return capture ? snd_mixer_selem_has_capture_switch_joined(e)
                   : snd_mixer_selem_has_playback_switch_joined(e);
  return capture ? snd_mixer_selem_has_capture_volume_joined(e)
                 : snd_mixer_selem_has_playback_volume_joined(e);
}

// The element found for a component type on one side, or null.
snd_mixer_elem_t* elementFor(snd_mixer_t* mixer, uint32_t componentType, bool capture) {
  for (const char* name : AlsaElementNames(componentType, capture)) {
    snd_mixer_elem_t* e = findElement(mixer, name);
    if (e && (hasVolume(e, capture) || hasSwitch(e, capture))) return e;
  }
  return nullptr;
}

class AlsaMixerDevice : public MixerDevice {
public:
  explicit AlsaMixerDevice(snd_mixer_t* mixer) : mixer_(mixer) {
    addDestination(kMixerDestinationSpeakers, false);
    addDestination(kMixerDestinationWaveIn, true);
  }
  ~AlsaMixerDevice() override { snd_mixer_close(mixer_); }

  uint32_t destinationCount() override { return static_cast<uint32_t>(destinations_.size()); }

  std::optional<MixerLine> destination(uint32_t index) override {
    if (index >= destinations_.size()) return std::nullopt;
    const AlsaDestination& d = destinations_[index];
    MixerLine line = describe(d.lineId);
    line.connections = static_cast<uint32_t>(d.sources.size());
    return line;
  }

  std::optional<MixerLine> source(uint32_t destinationIndex, uint32_t index) override {
    if (destinationIndex >= destinations_.size()) return std::nullopt;
    const auto& sources = destinations_[destinationIndex].sources;
    if (index >= sources.size()) return std::nullopt;
    return describe(sources[index]);
  }

  std::optional<MixerControl> control(uint32_t lineId, uint32_t controlType) override {
    if (lineId >= lines_.size() || !lines_[lineId].elem) return std::nullopt;
    const AlsaLine& line = lines_[lineId];
    bool mute = controlType == kMixerControlMute;
    if (!mute && controlType != kMixerControlVolume) return std::nullopt;
    if (mute ? !hasSwitch(line.elem, line.capture) : !hasVolume(line.elem, line.capture))
      return std::nullopt;
    MixerControl c;
    c.controlId = lineId * 2 + (mute ? kMuteSlot : kVolumeSlot);
    c.type = controlType;
    bool uniform = isMono(line.elem, line.capture) || isJoined(line.elem, line.capture, mute);
    c.flags = uniform ? kMixerControlUniform : 0;
    return c;
  }

  bool getValues(uint32_t controlId, std::span<uint32_t> values) override {
    const AlsaLine* line = transferLine(controlId, values.size());
    if (!line) return false;
    snd_mixer_handle_events(mixer_);  // pick up changes made by other programs
    bool mute = controlId % 2 == kMuteSlot;
    for (size_t i = 0; i < values.size(); ++i) {
      auto channel = static_cast<snd_mixer_selem_channel_id_t>(i);
      if (!(mute ? readMute(*line, channel, values[i]) : readVolume(*line, channel, values[i])))
        return false;
    }
    return true;
  }

  bool setValues(uint32_t controlId, std::span<const uint32_t> values) override {
    const AlsaLine* line = transferLine(controlId, values.size());
    if (!line) return false;
    bool mute = controlId % 2 == kMuteSlot;
    if (values.size() == 1) return mute ? writeMuteAll(*line, values[0]) : writeVolumeAll(*line, values[0]);
    for (size_t i = 0; i < values.size(); ++i) {
      auto channel = static_cast<snd_mixer_selem_channel_id_t>(i);
      if (!(mute ? writeMute(*line, channel, values[i]) : writeVolume(*line, channel, values[i])))
        return false;
    }
    return true;
  }

private:
  void addDestination(uint32_t type, bool capture) {
    AlsaDestination d;
    d.lineId = addLine(elementFor(mixer_, kMixerSourceNone, capture), capture, type);
    for (uint32_t source = kMixerSourceFirst; source <= kMixerSourceLast; ++source)
      if (snd_mixer_elem_t* e = elementFor(mixer_, source, capture))
        d.sources.push_back(addLine(e, capture, source));
    // A side that has neither a main element nor any source line does not exist on this card.
    if (!lines_[d.lineId].elem && d.sources.empty()) return;
    destinations_.push_back(std::move(d));
  }

  uint32_t addLine(snd_mixer_elem_t* elem, bool capture, uint32_t type) {
    lines_.push_back({elem, capture, type});
    return static_cast<uint32_t>(lines_.size() - 1);
  }

  MixerLine describe(uint32_t lineId) const {
    const AlsaLine& l = lines_[lineId];
    MixerLine out;
    out.componentType = l.componentType;
    out.lineId = lineId;
    out.channels = l.elem && isMono(l.elem, l.capture) ? 1 : 2;
    if (l.elem) out.controls = (hasVolume(l.elem, l.capture) ? 1 : 0) + (hasSwitch(l.elem, l.capture) ? 1 : 0);
    return out;
  }

  // The line of a control, when a transfer of `count` values suits it (see MixerDevice).
  const AlsaLine* transferLine(uint32_t controlId, size_t count) {
    uint32_t lineId = controlId / 2;
    if (lineId >= lines_.size() || !lines_[lineId].elem) return nullptr;
    const AlsaLine& line = lines_[lineId];
    bool mute = controlId % 2 == kMuteSlot;
    if (mute ? !hasSwitch(line.elem, line.capture) : !hasVolume(line.elem, line.capture))
      return nullptr;
    if (count == 1) return &line;
    if (count != 2 || isMono(line.elem, line.capture) || isJoined(line.elem, line.capture, mute))
      return nullptr;
    return &line;
  }

  bool range(const AlsaLine& l, long& min, long& max) {
    int rc = l.capture ? snd_mixer_selem_get_capture_volume_range(l.elem, &min, &max)
                       : snd_mixer_selem_get_playback_volume_range(l.elem, &min, &max);
    return rc == 0;
  }

  bool readVolume(const AlsaLine& l, snd_mixer_selem_channel_id_t ch, uint32_t& out) {
    long min = 0, max = 0, raw = 0;
    if (!range(l, min, max)) return false;
    int rc = l.capture ? snd_mixer_selem_get_capture_volume(l.elem, ch, &raw)
                       : snd_mixer_selem_get_playback_volume(l.elem, ch, &raw);
    if (rc != 0) return false;
    out = ScaleFromElementRange(raw, min, max);
    return true;
  }

  bool readMute(const AlsaLine& l, snd_mixer_selem_channel_id_t ch, uint32_t& out) {
    int on = 0;
    int rc = l.capture ? snd_mixer_selem_get_capture_switch(l.elem, ch, &on)
                       : snd_mixer_selem_get_playback_switch(l.elem, ch, &on);
    out = on ? 0 : 1;
    return rc == 0;
  }

  bool writeVolume(const AlsaLine& l, snd_mixer_selem_channel_id_t ch, uint32_t value) {
    long min = 0, max = 0;
    if (!range(l, min, max)) return false;
    long raw = ScaleToElementRange(value, min, max);
    return (l.capture ? snd_mixer_selem_set_capture_volume(l.elem, ch, raw)
                      : snd_mixer_selem_set_playback_volume(l.elem, ch, raw)) == 0;
  }

  bool writeVolumeAll(const AlsaLine& l, uint32_t value) {
    long min = 0, max = 0;
    if (!range(l, min, max)) return false;
    long raw = ScaleToElementRange(value, min, max);
    return (l.capture ? snd_mixer_selem_set_capture_volume_all(l.elem, raw)
                      : snd_mixer_selem_set_playback_volume_all(l.elem, raw)) == 0;
  }

  bool writeMute(const AlsaLine& l, snd_mixer_selem_channel_id_t ch, uint32_t value) {
    int on = value ? 0 : 1;
    return (l.capture ? snd_mixer_selem_set_capture_switch(l.elem, ch, on)
                      : snd_mixer_selem_set_playback_switch(l.elem, ch, on)) == 0;
  }

  bool writeMuteAll(const AlsaLine& l, uint32_t value) {
    int on = value ? 0 : 1;
    return (l.capture ? snd_mixer_selem_set_capture_switch_all(l.elem, on)
                      : snd_mixer_selem_set_playback_switch_all(l.elem, on)) == 0;
  }

  snd_mixer_t* mixer_;
  std::vector<AlsaLine> lines_;
  std::vector<AlsaDestination> destinations_;
};

// Card numbers of the machine, in the sound system's order.
std::vector<int> cards() {
  std::vector<int> out;
  int card = -1;
  while (snd_card_next(&card) == 0 && card >= 0) out.push_back(card);
  return out;
}

class AlsaBackend : public MixerBackend {
public:
  uint32_t deviceCount() override { return static_cast<uint32_t>(cards().size()); }

  std::unique_ptr<MixerDevice> open(uint32_t index) override {
    auto all = cards();
    if (index >= all.size()) return nullptr;
    std::string name = "hw:" + std::to_string(all[index]);
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) != 0) return nullptr;
    if (snd_mixer_attach(mixer, name.c_str()) != 0 ||
        snd_mixer_selem_register(mixer, nullptr, nullptr) != 0 || snd_mixer_load(mixer) != 0) {
      snd_mixer_close(mixer);
      return nullptr;
    }
    return std::make_unique<AlsaMixerDevice>(mixer);
  }
};

}  // namespace

MixerBackend& AlsaMixerBackend() {
  static AlsaBackend backend;
  return backend;
}

std::vector<const char*> AlsaElementNames(uint32_t componentType, bool capture) {
  switch (componentType) {
    case kMixerSourceNone: return capture ? std::vector<const char*>{"Capture"}
                                          : std::vector<const char*>{"Master", "Speaker"};
    case kMixerSourceDigital: return {"IEC958"};
    case kMixerSourceLine: return {"Line"};
    case kMixerSourceMicrophone: return {"Mic"};
    case kMixerSourceSynthesizer: return {"Synth"};
    case kMixerSourceCompactDisc: return {"CD"};
    case kMixerSourceTelephone: return {"Phone"};
    case kMixerSourcePcSpeaker: return {"PC Speaker", "Beep"};
    case kMixerSourceWaveOut: return {"PCM"};
    case kMixerSourceAuxiliary: return {"Aux"};
    case kMixerSourceAnalog: return {"Video"};  // the analogue video-sound input of AC'97 codecs
    default: return {};                         // undefined lines have no element
  }
}

long ScaleToElementRange(uint32_t value, long min, long max) {
  if (max <= min) return min;
  Int128 span = Int128(max) - min;
  Int128 v = std::min(value, kMixerVolumeMax);
  return static_cast<long>(min + (span * v + kMixerVolumeMax / 2) / kMixerVolumeMax);
}

uint32_t ScaleFromElementRange(long raw, long min, long max) {
  if (max <= min) return 0;
  Int128 span = Int128(max) - min;
  Int128 r = Int128(std::clamp(raw, min, max)) - min;
  return static_cast<uint32_t>((r * kMixerVolumeMax + span / 2) / span);
}

}  // namespace platform
