#include "platform/ProcessLauncherPosix.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <mutex>
#include <thread>

extern char** environ;

namespace platform {

namespace {

bool isExecutableFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::optional<std::string> searchPath(const std::string& program) {
  const char* env = std::getenv("PATH");
  std::string path = env ? env : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (true) {
    size_t end = path.find(':', start);
    std::string folder = path.substr(start, end == std::string::npos ? end : end - start);
    std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
    if (isExecutableFile(candidate)) return candidate;
    if (end == std::string::npos) return std::nullopt;
    start = end + 1;
  }
}

// The exit code from a wait status; -1 when the end could not be collected (someone else did).
int collect(pid_t pid, int options, bool* ended) {
  int status = 0;
  pid_t result;
  do {
    result = waitpid(pid, &status, options);
  } while (result < 0 && errno == EINTR);
  *ended = result != 0;
  if (result != pid) return -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

class PosixProcess : public LaunchedProcess {
public:
  explicit PosixProcess(pid_t pid) : pid_(pid) {}
  ~PosixProcess() override {
    if (ended_) return;
    collect(pid_, WNOHANG, &ended_);
    if (!ended_) {
      pid_t pid = pid_;
      std::thread([pid] {
        bool ended = false;
        collect(pid, 0, &ended);
      }).detach();
    }
  }

  int64_t id() const override { return pid_; }
  int wait() override {
    std::lock_guard lock(mutex_);
    if (!ended_) code_ = collect(pid_, 0, &ended_);
    return code_;
  }

private:
  pid_t pid_;
  std::mutex mutex_;
  bool ended_ = false;
  int code_ = -1;
};

class SpawnAttributes {
public:
  SpawnAttributes() {
    posix_spawnattr_init(&attr_);
    sigset_t none, reset;
    sigemptyset(&none);
    sigemptyset(&reset);
    for (int sig : {SIGHUP, SIGINT, SIGQUIT, SIGPIPE, SIGTERM, SIGCHLD, SIGUSR1, SIGUSR2})
      sigaddset(&reset, sig);
    posix_spawnattr_setsigmask(&attr_, &none);
    posix_spawnattr_setsigdefault(&attr_, &reset);
    posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnAttributes() { posix_spawnattr_destroy(&attr_); }
  const posix_spawnattr_t* get() const { return &attr_; }

private:
  posix_spawnattr_t attr_;
};

class PosixLauncher : public ProcessLauncher {
protected:
  std::optional<std::string> locate(const std::string& program) override {
    if (program.find('/') != std::string::npos)
      return isExecutableFile(program) ? std::optional(program) : std::nullopt;
    return searchPath(program);
  }

  std::unique_ptr<LaunchedProcess> spawn(const std::string&, const std::string& program,
                                         const std::vector<std::string>& arguments) override {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    SpawnAttributes attributes;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, attributes.get(), argv.data(), environ) != 0)
      return nullptr;
    return std::make_unique<PosixProcess>(pid);
  }
};

}  // namespace

ProcessLauncher& PosixProcessLauncher() {
  static PosixLauncher launcher;
  return launcher;
}

}  // namespace platform
