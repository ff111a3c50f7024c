// The running program for fuzz targets that load files onto its windows: started once on the
// simulated machine, offscreen, in a fresh program folder holding the given channels.ini, with
// its panel hidden. Closed at exit before the simulated machine's statics go.
#pragma once

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/CMyMixer.h"
#include "platform/MessageBox.h"
#include "viewer/ProcessExit.h"
#include "viewer/Startup.h"
#include "viewer/Vyxu.h"

namespace fuzz_support {

inline void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

// Returns the program folder, ending in '/'; `tag` names the temporary folder.
inline std::string StartRunningProgram(int* argc, char*** argv, const char* tag,
                                       const std::string& channels) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("VYX_SIM", "1", 1);
  std::string pattern = std::string("/tmp/vyx-") + tag + "-fuzz-XXXXXX";
  if (!mkdtemp(pattern.data())) abort();
  static std::string home = pattern + "/";
  setenv("VYX_HOME", pattern.c_str(), 1);
  WriteFile(home + "channels.ini", reinterpret_cast<const uint8_t*>(channels.data()),
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
  // Hidden: a skin may make the panel as large as a window can be, and nothing needs to show.
  Form1->hide();
  return home;
}

}  // namespace fuzz_support
