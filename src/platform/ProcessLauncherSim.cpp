#include "platform/ProcessLauncherSim.h"

#include "sim/SimProcesses.h"

namespace platform {

namespace {

class SimProcess : public LaunchedProcess {
public:
  explicit SimProcess(int64_t id) : id_(id) {}
  int64_t id() const override { return id_; }
  int wait() override { return sim::Processes().wait(id_); }

private:
  int64_t id_;
};

class SimLauncher : public ProcessLauncher {
public:
  std::unique_ptr<LaunchedProcess> start(const std::string& commandLine) override {
    auto process = ProcessLauncher::start(commandLine);
    if (!process) sim::Processes().recordFailedStart(commandLine);
    return process;
  }

protected:
  std::optional<std::string> locate(const std::string& program) override {
    if (!sim::Processes().installed(program)) return std::nullopt;
    return program;
  }
  std::unique_ptr<LaunchedProcess> spawn(const std::string& commandLine, const std::string& program,
                                         const std::vector<std::string>& arguments) override {
    return std::make_unique<SimProcess>(sim::Processes().start(commandLine, program, arguments));
  }
};

}  // namespace

ProcessLauncher& SimProcessLauncher() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimLauncher& launcher = *new SimLauncher;
  return launcher;
}

}  // namespace platform
