// Runs the registered benchmarks inside the program itself: started in this process on the
// simulated machine and a program folder with the simulated stations (made by the
// vyx-demo-folder tool), on Qt's offscreen platform unless another is set.
#pragma once

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "ProgramFolder.h"
#include "core/CMyMixer.h"
#include "gui/VyxApplication.h"
#include "viewer/Startup.h"

namespace bench {

inline int RunInProgram(int argc, char** argv, const std::string& demoFolderTool) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  setenv("VYX_SIM", "1", 1);
  const std::string home = MakeProgramFolder(demoFolderTool);
  if (home.empty()) return 1;
  setenv("VYX_HOME", home.c_str(), 1);
  benchmark::Initialize(&argc, argv);
  gui::VyxApplication app(argc, argv);
  InitMixerObjects();
  if (viewer::StartProgram() != 0) return 1;
  QCoreApplication::processEvents();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // No shut-down: the program folder goes as it is.
  std::filesystem::remove_all(home);
  std::_Exit(0);
}

}  // namespace bench
