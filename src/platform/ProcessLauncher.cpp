#include "platform/ProcessLauncher.h"

#include "platform/Environment.h"
#include "platform/ProcessLauncherPosix.h"
#include "platform/ProcessLauncherSim.h"

namespace platform {

namespace {

constexpr const char* kBlanks = " \t";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string> splitArguments(const std::string& text) {
  std::vector<std::string> out;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;  // "" is an empty argument
    } else if (isBlank(c) && !quoted) {
      if (inWord) out.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) out.push_back(word);
  return out;
}

}  // namespace

std::vector<ProgramCall> CommandLineReadings(const std::string& line) {
  size_t start = line.find_first_not_of(kBlanks);
  if (start == std::string::npos) return {};
  if (line[start] == '"') {
    size_t close = line.find('"', start + 1);
    std::string program =
        line.substr(start + 1, close == std::string::npos ? close : close - start - 1);
    if (program.empty()) return {};
    return {{program, close == std::string::npos ? std::vector<std::string>{}
                                                 : splitArguments(line.substr(close + 1))}};
  }
  size_t end = line.find_last_not_of(kBlanks) + 1;
  std::vector<ProgramCall> readings;
  for (size_t pos = line.find_first_of(kBlanks, start); pos < end;
       pos = line.find_first_of(kBlanks, pos + 1)) {
    if (isBlank(line[pos - 1])) continue;  // only the first blank of a run ends a word
    readings.push_back(
        {line.substr(start, pos - start), splitArguments(line.substr(pos + 1, end - pos - 1))});
  }
  readings.push_back({line.substr(start, end - start), {}});
  return readings;
}

std::unique_ptr<LaunchedProcess> ProcessLauncher::start(const std::string& commandLine) {
  for (const ProgramCall& reading : CommandLineReadings(commandLine))
    if (auto program = locate(reading.program))
      return spawn(commandLine, *program, reading.arguments);
  return nullptr;
}

ProcessLauncher& ProcessLauncher::current() {
  if (SimulationEnabled()) return SimProcessLauncher();
  return PosixProcessLauncher();
}

}  // namespace platform
