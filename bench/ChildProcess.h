// Child processes for the benchmarks that measure a whole process: start one with its own
// environment, read its standard output until a line appears, end it. Header-only, shared by
// the benchmark programs of this folder.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace bench {

// The Qt platform the measured programs run on: offscreen, or the one VYX_BENCH_QPA names ("xcb"
// with DISPLAY set: a display server such as Xvfb, as on a person's desktop).
inline std::string QpaPlatform() {
  const char* chosen = std::getenv("VYX_BENCH_QPA");
  return chosen && *chosen ? chosen : "offscreen";
}

class ChildProcess {
public:
  // Forks; the child sets `environment`, sends its standard error to /dev/null and runs `body`
  // (which execs or returns an exit code).
  ChildProcess(const std::vector<std::pair<std::string, std::string>>& environment,
               const std::function<int()>& body) {
    int out[2];
    if (pipe(out) != 0) return;
    std::fflush(stdout);  // or the child would write out what the parent has buffered
    started_ = std::chrono::steady_clock::now();
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, STDERR_FILENO);
      for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
      _exit(body());
    }
    close(out[1]);
    out_ = out[0];
    if (pid_ < 0) close(out_), out_ = -1;
  }
  ~ChildProcess() {
    if (out_ >= 0) close(out_);
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Runs `program` with `arguments` in the child.
  static std::function<int()> exec(std::string program, std::vector<std::string> arguments = {}) {
    return [program = std::move(program), arguments = std::move(arguments)] {
      std::vector<char*> argv{const_cast<char*>(program.c_str())};
      for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      return 127;
    };
  }

  // Reads standard output until a line holds `text` or `limitMs` pass; that line, or empty.
  // `secondsToLine` gets the time from the fork to the line.
  std::string waitForLine(const std::string& text, int limitMs, double* secondsToLine = nullptr) {
    if (out_ < 0) return {};
    const auto deadline = started_ + std::chrono::milliseconds(limitMs);
    char buffer[512];
    while (true) {
      for (size_t end; (end = seen_.find('\n')) != std::string::npos;) {
        std::string line = seen_.substr(0, end);
        seen_.erase(0, end + 1);
        if (line.find(text) == std::string::npos) continue;
        if (secondsToLine)
          *secondsToLine =
              std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
        return line;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return {};
      pollfd p{out_, POLLIN, 0};
      if (poll(&p, 1, int(left.count())) <= 0) continue;
      const ssize_t n = read(out_, buffer, sizeof buffer);
      if (n <= 0) return {};
      seen_.append(buffer, size_t(n));
    }
  }

private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string seen_;
  std::chrono::steady_clock::time_point started_;
};

}  // namespace bench
