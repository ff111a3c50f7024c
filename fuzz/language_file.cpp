// Any bytes as a language file, loaded onto the running program's six windows. Every read must
// give at most 259 bytes, the load must not crash or raise, and afterwards the capture window's
// priority list holds its four texts with the third chosen.
#include <QApplication>
#include <QComboBox>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/CMyMixer.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "recording/Capt.h"
#include "settings/Language.h"
#include "settings/LanguageTable.h"
#include "viewer/ProcessExit.h"
#include "viewer/Startup.h"
#include "viewer/Vyxu.h"
#include "RunningProgram.h"

namespace {

std::string home;

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "language_file: %s\n", what);
    abort();
  }
}

}  // namespace

// The font configuration library and the C++ runtime's own exit records keep a few blocks they
// never free; nothing of ours allocates through them directly.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libstdc++.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  const std::string channels =
      "[Common]\nCurrentChannel=1\nNumOfChannels=2\n[TVCnl1]\nFreq=49.75\nSystem=SECAM\n"
      "Name=One\n[TVCnl2]\nFreq=191.25\nSystem=SECAM\nName=Two\n";
  home = fuzz_support::StartRunningProgram(argc, argv, "language", channels);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_support::WriteFile(home + "Languages/Fuzz", data, size);
  platform::DropProfileCache();

  const std::vector<std::string> texts = ReadLanguageTexts(LanguageFilePath("FUZZ"));
  check(texts.size() == LanguageReads().size() + 1, "a text for every read");
  for (const std::string& text : texts)
    check(text.size() <= platform::kProfileValueMax, "a text longer than a read's buffer");

  LoadLanguage("fuzz");
  check(Form3->ComboBox3->count() == 4 && Form3->ComboBox3->currentIndex() == 2,
        "the priority list");
  return 0;
}
