#include "platform/WaveInputDevicesAlsa.h"

#include <alsa/asoundlib.h>

#include <string>

namespace platform {

namespace {

bool cardCanCapture(int card) {
  snd_ctl_t* ctl = nullptr;
  std::string name = "hw:" + std::to_string(card);
  if (snd_ctl_open(&ctl, name.c_str(), 0) < 0) return false;
  snd_pcm_info_t* info = nullptr;
  snd_pcm_info_alloca(&info);
  bool found = false;
  int device = -1;
  while (!found && snd_ctl_pcm_next_device(ctl, &device) == 0 && device >= 0) {
    snd_pcm_info_set_device(info, static_cast<unsigned>(device));
    snd_pcm_info_set_subdevice(info, 0);
    snd_pcm_info_set_stream(info, SND_PCM_STREAM_CAPTURE);
    found = snd_ctl_pcm_info(ctl, info) == 0;
  }
  snd_ctl_close(ctl);
  return found;
}

class AlsaDevices : public WaveInputDevices {
public:
  bool anyPresent() override {
    int card = -1;
    while (snd_card_next(&card) == 0 && card >= 0)
      if (cardCanCapture(card)) return true;
    return false;
  }
};

}  // namespace

WaveInputDevices& AlsaWaveInputDevices() {
  static AlsaDevices devices;
  return devices;
}

}  // namespace platform
