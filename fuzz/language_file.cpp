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

namespace {

std::string home;

void check(bool ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "language_file: %s\n", what);
    abort();
  }
}

void writeFile(const std::string& path, const uint8_t* data, size_t size) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

}  // namespace

// The font configuration library and the C++ runtime's own exit records keep a few blocks they
// never free; nothing of ours allocates through them directly.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libstdc++.so\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("VYX_SIM", "1", 1);
  char folder[] = "/tmp/vyx-language-fuzz-XXXXXX";
  if (!mkdtemp(folder)) abort();
  home = std::string(folder) + "/";
  setenv("VYX_HOME", folder, 1);
  const std::string channels =
      "[Common]\nCurrentChannel=1\nNumOfChannels=2\n[TVCnl1]\nFreq=49.75\nSystem=SECAM\n"
      "Name=One\n[TVCnl2]\nFreq=191.25\nSystem=SECAM\nName=Two\n";
  writeFile(home + "channels.ini", reinterpret_cast<const uint8_t*>(channels.data()),
            channels.size());
  static QApplication* app = new QApplication(*argc, *argv);
  static auto* boxes = new platform::RecordingMessageBox;
  (void)app, (void)boxes;
  viewer::SetProcessExitHandler([](int) { abort(); });
  InitMixerObjects();
  if (viewer::StartProgram() != 0) abort();
  // The windows and the running lock go before the simulated machine's statics do.
  std::atexit([] {
    viewer::CloseProgram();
    std::filesystem::remove_all(home);
  });
  Form1->hide();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  writeFile(home + "Languages/Fuzz", data, size);
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
