#include "platform/WaveInputDevicesAlsa.h"

#include <alsa/asoundlib.h>

#include <cstdlib>
#include <string>

namespace platform {

namespace {

// Calls `found(card, device, name)` for each PCM device of `card` that offers a capture stream
// until it returns false. Returns false when it was stopped.
template <class Found>
bool forEachCaptureDevice(int card, Found found) {
  snd_ctl_t* ctl = nullptr;
  std::string ctlName = "hw:" + std::to_string(card);
  if (snd_ctl_open(&ctl, ctlName.c_str(), 0) < 0) return true;
  snd_pcm_info_t* info = nullptr;
  snd_pcm_info_alloca(&info);
  bool more = true;
  int device = -1;
  while (more && snd_ctl_pcm_next_device(ctl, &device) == 0 && device >= 0) {
    snd_pcm_info_set_device(info, static_cast<unsigned>(device));
    snd_pcm_info_set_subdevice(info, 0);
    snd_pcm_info_set_stream(info, SND_PCM_STREAM_CAPTURE);
    if (snd_ctl_pcm_info(ctl, info) == 0) more = found(card, device, snd_pcm_info_get_name(info));
  }
  snd_ctl_close(ctl);
  return more;
}

bool cardCanCapture(int card) {
  return !forEachCaptureDevice(card, [](int, int, const char*) { return false; });
}

class AlsaDevices : public WaveInputDevices {
public:
  bool anyPresent() override {
    int card = -1;
    while (snd_card_next(&card) == 0 && card >= 0)
      if (cardCanCapture(card)) return true;
    return false;
  }

  std::vector<std::string> names() override {
    std::vector<std::string> list;
    for (const AlsaCaptureDevice& d : AlsaCaptureDevices()) list.push_back(d.name);
    return list;
  }

  std::string defaultName() override { return "default"; }
};

}  // namespace

std::vector<AlsaCaptureDevice> AlsaCaptureDevices() {
  std::vector<AlsaCaptureDevice> list;
  int card = -1;
  while (snd_card_next(&card) == 0 && card >= 0) {
    char* cardName = nullptr;
    std::string prefix;
    if (snd_card_get_name(card, &cardName) == 0 && cardName) {
      prefix = std::string(cardName) + ": ";
      free(cardName);
    }
    forEachCaptureDevice(card, [&](int c, int device, const char* name) {
      list.push_back({"plughw:" + std::to_string(c) + "," + std::to_string(device),
                      prefix + (name ? name : "")});
      return true;
    });
  }
  return list;
}

WaveInputDevices& AlsaWaveInputDevices() {
  static AlsaDevices devices;
  return devices;
}

}  // namespace platform
