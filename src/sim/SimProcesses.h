// The simulated machine's programs and processes: which programs are installed (by the path the
// command line names), the processes started from them, and their ends. A started process runs
// until a test ends it; waiting for it blocks the waiting thread until then. Starts and ends go
// to the system log (sim::SystemLog()). Safe to use from any thread.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace sim {

struct SimProcess {
  int64_t id = 0;
  std::string commandLine;
  std::string program;  // as the command line was read
  std::vector<std::string> arguments;
  bool ended = false;
  int exitCode = 0;
};

class SimProcesses {
public:
  // The first process id handed out.
  static constexpr int64_t kFirstId = 4000;

  // No programs installed. Processes still running are ended with exit code 0 first, so that no
  // waiting thread is left blocked. Leaves the log alone.
  void reset();

  // A program that can be started, named as a command line names it.
  void install(const std::string& program);
  bool installed(const std::string& program) const;

  // As the platform layer's simulated backend calls them. start() returns the process id.
  int64_t start(const std::string& commandLine, const std::string& program,
                const std::vector<std::string>& arguments);
  void recordFailedStart(const std::string& commandLine);
  // Blocks until the process has ended; its exit code (0 for an unknown id).
  int wait(int64_t id);
  bool ended(int64_t id) const;

  // Ends a running process (nothing happens for an unknown or ended one).
  void end(int64_t id, int exitCode = 0);
  // Every process started since the last reset, in order.
  std::vector<SimProcess> processes() const;

private:
  void endLocked(SimProcess& process, int exitCode);

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::set<std::string> installed_;
  std::map<int64_t, SimProcess> processes_;
  int64_t nextId_ = kFirstId;
};

// The processes of the one simulated machine.
SimProcesses& Processes();

}  // namespace sim
