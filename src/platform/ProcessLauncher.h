// Starting other programs (the external capture program, the teletext program) from a command
// line as the settings store it, and waiting for them to end.
//
// A command line is read the way Windows reads one: a line that starts with a double
// quote names the program up to the closing quote; otherwise the program is the shortest run of
// leading words that names an existing program ("/opt/My TV/tv -x" tries "/opt/My", then
// "/opt/My TV/tv" with the argument "-x", then the whole line). A program name without '/' is
// looked up along PATH. The rest of the line is split into arguments at spaces and tabs; double
// quotes group words and are removed; backslashes are kept as they are. A path from another
// system ("C:\Program Files\...") names no program here, and the start fails.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// One way of reading a command line: the program as named, and its arguments.
struct ProgramCall {
  std::string program;
  std::vector<std::string> arguments;

  bool operator==(const ProgramCall&) const = default;
};

// Every reading of the command line, in the order they are tried; none for a blank line.
std::vector<ProgramCall> CommandLineReadings(const std::string& commandLine);

// A started program. Destroying the handle does not end the program.
class LaunchedProcess {
public:
  virtual ~LaunchedProcess() = default;
  // The process id.
  virtual int64_t id() const = 0;
  // Blocks the calling thread, without time limit, until the program has ended; returns its exit
  // code (128 + the signal number when a signal ended it; -1 when the code cannot be learned).
  // May be called from any thread, one thread at a time; later calls return the same code at
  // once. The handle must outlive the call: hand it to the waiting thread.
  virtual int wait() = 0;
};

class ProcessLauncher {
public:
  virtual ~ProcessLauncher() = default;

  // Starts the program the command line names; null when no reading of it names a program that
  // exists, or the program could not be started.
  virtual std::unique_ptr<LaunchedProcess> start(const std::string& commandLine);

  // The simulated machine's programs under the simulation switch, else real processes.
  static ProcessLauncher& current();

protected:
  // The program as it will be started, when `program` names one that exists.
  virtual std::optional<std::string> locate(const std::string& program) = 0;
  virtual std::unique_ptr<LaunchedProcess> spawn(const std::string& commandLine,
                                                 const std::string& program,
                                                 const std::vector<std::string>& arguments) = 0;
};

}  // namespace platform
