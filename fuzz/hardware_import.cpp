// Tuner and card description files: any bytes, read as a profile file, import into the custom
// rows without fault, the fixed words set, the PLL mode in range and the card's video words kept.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/IniDocument.h"
#include "settings/HardwareImport.h"

namespace {

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "hardware_import: %s\n", what);
    abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const platform::IniDocument doc =
      platform::IniDocument::parse(std::string_view(reinterpret_cast<const char*>(data), size));
  const hardware_import::KeyReader read = [&doc](const char* section, const char* key,
                                                 const char* defaultText) {
    const std::string* value = doc.find(section, key);
    return value ? *value : std::string(defaultText);
  };
  TunerRow tuner{};
  hardware_import::ReadTuner(read, tuner);
  check(tuner.FMStereo == hardware_import::kFMStereoWord, "FM stereo word");
  check(tuner.FMMono == hardware_import::kFMMonoWord, "FM mono word");

  CardRow card{};
  card.VideoMux0 = 0x12345678;
  card.VideoMask = 0x9ABCDEF0;
  const uint32_t pll = hardware_import::ReadCard(read, card);
  check(pll <= hardware_import::kPLLUntouched, "PLL out of range");
  check(card.OutMask == 0xFFFFFFFF, "output mask");
  check(card.VideoMux0 == 0x12345678 && card.VideoMask == 0x9ABCDEF0, "video words changed");
  return 0;
}
