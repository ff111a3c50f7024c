// Start-up time: from starting the vyx process to the first picture painted in its TV window,
// on the simulated machine with Qt's offscreen platform and a program folder holding the
// simulated stations. Each repetition starts one process (the time is measured by hand, from
// the fork to the program's "first frame painted" line) and ends it; the median of the
// repetitions is the figure.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string makeProgramFolder() {
  char pattern[] = "/tmp/vyx-bench-XXXXXX";
  const char* dir = mkdtemp(pattern);
  if (!dir) return {};
  const std::string command = std::string(VYX_DEMO_FOLDER) + " " + dir + " >/dev/null";
  if (std::system(command.c_str()) != 0) return {};
  return dir;
}

// Starts the program and returns the seconds until it reports its first painted picture, or a
// negative value when it does not.
double timeToFirstFrame(const std::string& home) {
  int out[2];
  if (pipe(out) != 0) return -1;
  const auto started = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, STDERR_FILENO);
    setenv("VYX_SIM", "1", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("VYX_HOME", home.c_str(), 1);
    setenv("VYX_FIRST_FRAME_NOTICE", "1", 1);
    execl(VYX_PROGRAM, VYX_PROGRAM, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  std::string seen;
  char buffer[256];
  double seconds = -1;
  while (true) {
    const ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n <= 0) break;
    seen.append(buffer, size_t(n));
    if (seen.find("first frame painted") != std::string::npos) {
      seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
      break;
    }
  }
  close(out[0]);
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return seconds;
}

void BM_StartToFirstFrame(benchmark::State& state) {
  const std::string home = makeProgramFolder();
  if (home.empty()) {
    state.SkipWithError("cannot prepare a program folder");
    return;
  }
  for (auto _ : state) {
    const double seconds = timeToFirstFrame(home);
    if (seconds < 0) {
      state.SkipWithError("the program showed no picture");
      break;
    }
    state.SetIterationTime(seconds);
  }
  std::filesystem::remove_all(home);
}
BENCHMARK(BM_StartToFirstFrame)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
