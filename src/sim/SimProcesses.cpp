#include "sim/SimProcesses.h"

#include "sim/SimSystemLog.h"

namespace sim {

void SimProcesses::reset() {
  std::lock_guard lock(mutex_);
  for (auto& [id, process] : processes_)
    if (!process.ended) endLocked(process, 0);
  installed_.clear();
  processes_.clear();
  nextId_ = kFirstId;
}

void SimProcesses::install(const std::string& program) {
  std::lock_guard lock(mutex_);
  installed_.insert(program);
}

bool SimProcesses::installed(const std::string& program) const {
  std::lock_guard lock(mutex_);
  return installed_.count(program) != 0;
}

int64_t SimProcesses::start(const std::string& commandLine, const std::string& program,
                            const std::vector<std::string>& arguments) {
  std::lock_guard lock(mutex_);
  SimProcess process;
  process.id = nextId_++;
  process.commandLine = commandLine;
  process.program = program;
  process.arguments = arguments;
  processes_[process.id] = process;
  SystemEvent e;
  e.kind = SystemEvent::Kind::ProgramStart;
  e.name = commandLine;
  e.a = process.id;
  SystemLog().add(std::move(e));
  return process.id;
}

void SimProcesses::recordFailedStart(const std::string& commandLine) {
  SystemEvent e;
  e.kind = SystemEvent::Kind::ProgramStart;
  e.name = commandLine;
  e.ok = false;
  SystemLog().add(std::move(e));
}

int SimProcesses::wait(int64_t id) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] {
    auto it = processes_.find(id);
    return it == processes_.end() || it->second.ended;
  });
  auto it = processes_.find(id);
  return it == processes_.end() ? 0 : it->second.exitCode;
}

bool SimProcesses::ended(int64_t id) const {
  std::lock_guard lock(mutex_);
  auto it = processes_.find(id);
  return it == processes_.end() || it->second.ended;
}

void SimProcesses::end(int64_t id, int exitCode) {
  std::lock_guard lock(mutex_);
  auto it = processes_.find(id);
  if (it != processes_.end() && !it->second.ended) endLocked(it->second, exitCode);
}

void SimProcesses::endLocked(SimProcess& process, int exitCode) {
  process.ended = true;
  process.exitCode = exitCode;
  SystemEvent e;
  e.kind = SystemEvent::Kind::ProgramEnd;
  e.a = process.id;
  e.b = exitCode;
  SystemLog().add(std::move(e));
  changed_.notify_all();
}

std::vector<SimProcess> SimProcesses::processes() const {
  std::lock_guard lock(mutex_);
  std::vector<SimProcess> out;
  for (const auto& [id, process] : processes_) out.push_back(process);
  return out;
}

SimProcesses& Processes() {
  // Never destroyed: the simulated machine outlives every destructor run at exit.
  static SimProcesses& processes = *new SimProcesses;
  return processes;
}

}  // namespace sim
