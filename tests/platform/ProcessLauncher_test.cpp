#include "platform/ProcessLauncher.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "ScopedEnv.h"
#include "SimSystemFixture.h"
#include "platform/ProcessLauncherPosix.h"
#include "platform/ProcessLauncherSim.h"

namespace platform {

void PrintTo(const ProgramCall& call, std::ostream* out) {
  *out << '[' << call.program << ']';
  for (const std::string& a : call.arguments) *out << " [" << a << ']';
}

}  // namespace platform

using namespace platform;

namespace {

using Kind = sim::SystemEvent::Kind;
using Args = std::vector<std::string>;

TEST(CommandLineReadings, ShortestLeadingWordsFirstOrTheQuotedProgram) {
  struct Case {
    const char* line;
    std::vector<ProgramCall> readings;
  };
  const Case cases[] = {
      {"", {}},
      {" \t ", {}},
      {"\"\" -x", {}},
      {"sndvol32.exe ", {{"sndvol32.exe", {}}}},
      {"/usr/bin/tv", {{"/usr/bin/tv", {}}}},
      {"  /usr/bin/tv  -a   b ",
       {{"/usr/bin/tv", {"-a", "b"}}, {"/usr/bin/tv  -a", {"b"}}, {"/usr/bin/tv  -a   b", {}}}},
      {"/opt/My TV/tv -x",
       {{"/opt/My", {"TV/tv", "-x"}}, {"/opt/My TV/tv", {"-x"}}, {"/opt/My TV/tv -x", {}}}},
      {"\"/opt/My TV/tv\" -x \"two words\" \"\"", {{"/opt/My TV/tv", {"-x", "two words", ""}}}},
      {"\"/opt/unclosed -x", {{"/opt/unclosed -x", {}}}},
      {"C:\\Program Files\\Teletext\\Teletext.exe",
       {{"C:\\Program", {"Files\\Teletext\\Teletext.exe"}},
        {"C:\\Program Files\\Teletext\\Teletext.exe", {}}}},
      {"tv a\"b c\"d", {{"tv", {"ab cd"}}, {"tv a\"b", {"cd"}}, {"tv a\"b c\"d", {}}}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CommandLineReadings(c.line), c.readings) << '[' << c.line << ']';
}

// Both backends: the simulated machine gets the same programs installed that the real one has,
// and a test-side "finish" plays the program's own ending.
class LauncherContract : public SimSystemFixture,
                         public ::testing::WithParamInterface<const char*> {
protected:
  bool sim() const { return std::string(GetParam()) == "sim"; }
  ProcessLauncher& launcher() { return sim() ? SimProcessLauncher() : PosixProcessLauncher(); }
  void install(const std::string& program) {
    if (sim()) sim::Processes().install(program);
  }
  // In the simulation a program ends when told; a real one ends by itself.
  void finish(LaunchedProcess& process, int code) {
    if (sim()) sim::Processes().end(process.id(), code);
  }
};

TEST_P(LauncherContract, CommandLinesThatNameNoProgramFailCleanly) {
  install("/bin/true");
  for (const char* line : {"", "   ", "C:\\Program Files\\Teletext\\Teletext.exe",
                           "/nonexistent/vyx-program -x", "\"/bin/true -x\"", "/bin"}) {
    EXPECT_EQ(launcher().start(line), nullptr) << line;
  }
}

TEST_P(LauncherContract, WaitGivesTheProgramsExitCode) {
  install("/bin/sh");
  struct Case {
    const char* line;
    int code;
  };
  for (const Case& c : {Case{"/bin/sh -c \"exit 0\"", 0}, Case{"/bin/sh -c \"exit 7\"", 7}}) {
    auto process = launcher().start(c.line);
    ASSERT_NE(process, nullptr) << c.line;
    EXPECT_GT(process->id(), 0);
    finish(*process, c.code);
    EXPECT_EQ(process->wait(), c.code) << c.line;
    EXPECT_EQ(process->wait(), c.code) << "a second wait answers the same";
  }
}

TEST_P(LauncherContract, AWaitingThreadReturnsWhenTheProgramEnds) {
  install("/bin/sleep");
  auto process = launcher().start("/bin/sleep 1000");
  ASSERT_NE(process, nullptr);
  int code = -2;
  LaunchedProcess* handle = process.get();
  std::thread waiter([&] { code = handle->wait(); });
  if (sim())
    sim::Processes().end(process->id(), 128 + SIGTERM);
  else
    kill(static_cast<pid_t>(process->id()), SIGTERM);
  waiter.join();
  EXPECT_EQ(code, 128 + SIGTERM);
}

INSTANTIATE_TEST_SUITE_P(Backends, LauncherContract, ::testing::Values("sim", "posix"));

// The real backend with programs of our own in a temporary folder.
class PosixPrograms : public ::testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "vyx-progs-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  // A shell script that exits with its first argument when that is a number, else with `code`.
  std::string script(const std::string& relative, int code, bool executable = true) {
    std::filesystem::path path = folder_ + "/" + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << "#!/bin/sh\ncase \"$1\" in ''|*[!0-9]*) exit " << code
                        << ";; *) exit \"$1\";; esac\n";
    chmod(path.c_str(), executable ? 0755 : 0644);
    return path.string();
  }

  std::string folder_;
};

TEST_F(PosixPrograms, APathWithSpacesIsFoundWordByWord) {
  std::string program = script("My Programs/tv", 3);
  auto process = PosixProcessLauncher().start(program + " 5");
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(process->wait(), 5) << "the argument reached the program";
  process = PosixProcessLauncher().start(program);
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(process->wait(), 3);
}

TEST_F(PosixPrograms, TheShortestReadingThatNamesAProgramWins) {
  script("My", 4);
  std::string longer = script("My Programs/tv", 3);
  auto process = PosixProcessLauncher().start(longer);
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(process->wait(), 4) << "\"My\" runs, with \"Programs/tv\" as its argument";
}

TEST_F(PosixPrograms, BareNamesAreLookedUpAlongThePath) {
  script("bin/vyx-test-tool", 6);
  script("bin/vyx-not-executable", 6, false);
  ScopedEnv path("PATH", (folder_ + "/nonexistent:" + folder_ + "/bin").c_str());
  auto process = PosixProcessLauncher().start("vyx-test-tool");
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(process->wait(), 6);
  EXPECT_EQ(PosixProcessLauncher().start("vyx-not-executable"), nullptr);
  EXPECT_EQ(PosixProcessLauncher().start("vyx-missing-tool"), nullptr);
}

TEST_F(PosixPrograms, AHandleDroppedAfterItsProgramEndedLeavesNoZombie) {
  std::string program = script("quick", 0);
  auto process = PosixProcessLauncher().start(program);
  ASSERT_NE(process, nullptr);
  pid_t pid = static_cast<pid_t>(process->id());
  siginfo_t info{};
  ASSERT_EQ(waitid(P_PID, pid, &info, WEXITED | WNOWAIT), 0) << "ended, not yet collected";
  process.reset();
  EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), -1) << "the handle collected it";
  EXPECT_EQ(errno, ECHILD);
}

class SimPrograms : public SimSystemFixture {};

TEST_F(SimPrograms, StartsAndEndsAreLoggedAndResetEndsRunningPrograms) {
  EXPECT_EQ(&ProcessLauncher::current(), &SimProcessLauncher());
  sim::Processes().install("/usr/bin/capture");
  EXPECT_EQ(ProcessLauncher::current().start("C:\\capture.exe"), nullptr);
  auto process = ProcessLauncher::current().start("/usr/bin/capture -f out.avi");
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(process->id(), sim::SimProcesses::kFirstId);
  auto listed = sim::Processes().processes();
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].program, "/usr/bin/capture");
  EXPECT_EQ(listed[0].arguments, (Args{"-f", "out.avi"}));
  EXPECT_FALSE(sim::Processes().ended(process->id()));

  LaunchedProcess* handle = process.get();
  int code = -2;
  std::thread waiter([&] { code = handle->wait(); });
  sim::Processes().reset();
  waiter.join();
  EXPECT_EQ(code, 0);

  auto events = sim::SystemLog().events();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].kind, Kind::ProgramStart);
  EXPECT_FALSE(events[0].ok);
  EXPECT_EQ(events[0].name, "C:\\capture.exe");
  EXPECT_EQ(events[1].kind, Kind::ProgramStart);
  EXPECT_EQ(events[1].a, sim::SimProcesses::kFirstId);
  EXPECT_EQ(events[2].kind, Kind::ProgramEnd);
}

}  // namespace
