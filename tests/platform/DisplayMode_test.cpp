#include "platform/DisplayMode.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "SimSystemFixture.h"
#include "platform/DisplayModeSim.h"
#include "platform/DisplayModeXrandr.h"

using namespace platform;

namespace {

using Kind = sim::SystemEvent::Kind;

constexpr ScreenMode kDesktop{1024, 768, 60};

class SimDisplayModes : public SimSystemFixture {
protected:
  DisplayMode& modes() { return DisplayMode::current(); }
};

TEST_F(SimDisplayModes, OnlyOfferedModesAreSetWithinOneHertz) {
  EXPECT_EQ(&modes(), &SimDisplayMode());
  struct Case {
    ScreenMode wanted;
    bool ok;
    ScreenMode after;
  };
  const Case cases[] = {
      {{800, 600, 60}, true, {800, 600, 60}}, {{640, 480, 0}, true, {640, 480, 60}},
      {{640, 480, 59}, true, {640, 480, 60}}, {{320, 240, 61}, true, {320, 240, 60}},
      {{640, 480, 75}, false, kDesktop},      {{1280, 1024, 60}, false, kDesktop},
      {{0, 0, 60}, false, kDesktop},          {{480, 640, 60}, false, kDesktop},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(modes().setMode(c.wanted), c.ok) << c.wanted.width << 'x' << c.wanted.height;
    EXPECT_EQ(modes().currentMode(), c.after) << c.wanted.width << 'x' << c.wanted.height;
    EXPECT_EQ(modes().modeChanged(), c.ok);
    EXPECT_TRUE(modes().restore());
    EXPECT_EQ(modes().currentMode(), kDesktop);
  }
}

TEST_F(SimDisplayModes, RestoreGoesBackToTheModeBeforeTheFirstChange) {
  ASSERT_TRUE(modes().setMode({800, 600, 60}));
  ASSERT_TRUE(modes().setMode({640, 480, 60}));
  EXPECT_TRUE(modes().restore());
  EXPECT_EQ(modes().currentMode(), kDesktop);
  EXPECT_FALSE(modes().modeChanged());
  EXPECT_TRUE(modes().restore()) << "nothing left to restore";
  EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::ModeSet, Kind::ModeSet, Kind::ModeRestore}));
  auto restores = sim::SystemLog().only(Kind::ModeRestore);
  EXPECT_EQ(restores[0].a, 1024);
  EXPECT_EQ(restores[0].b, 768);
  EXPECT_EQ(restores[0].c, 60);
}

TEST_F(SimDisplayModes, ChangingBackByHandCountsAsRestored) {
  ASSERT_TRUE(modes().setMode({640, 480, 60}));
  EXPECT_TRUE(modes().modeChanged());
  ASSERT_TRUE(modes().setMode(kDesktop));
  EXPECT_FALSE(modes().modeChanged());
}

TEST_F(SimDisplayModes, WithoutModeChangesNothingIsSetButTheModeIsKnown) {
  sim::Desktop().setModeChangePossible(false);
  EXPECT_FALSE(modes().modeChangePossible());
  EXPECT_EQ(modes().currentMode(), kDesktop);
  EXPECT_FALSE(modes().setMode({640, 480, 60}));
  EXPECT_FALSE(modes().modeChanged());
  auto sets = sim::SystemLog().only(Kind::ModeSet);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_FALSE(sets[0].ok);
}

// The emergency restore, seen from outside: a child process changes the mode and ends in one way
// or another; the simulated desktop writes what it restored to a pipe we read.
// An unmapped address that is not null: the undefined-behaviour sanitizer reports a store
// through null itself and ends the process before the fault, where a real crash would not.
volatile uintptr_t gNowhere = 16;

void previousTermHandler(int) { _exit(42); }

std::string bySignal(int sig) { return "signal " + std::to_string(sig); }
std::string byExit(int code) { return "exit " + std::to_string(code); }

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

// A memory fault goes on to the handler that was there before ours: in the address sanitizer's
// build that is the sanitizer's, which reports the fault and ends the process with its exit code.
std::string byFault() { return kAddressSanitizer ? byExit(1) : bySignal(SIGSEGV); }

std::string howItEnded(int status) {
  if (WIFSIGNALED(status)) return bySignal(WTERMSIG(status));
  if (WIFEXITED(status)) return byExit(WEXITSTATUS(status));
  return "status " + std::to_string(status);
}

// What the child does with the mode, and how it then ends.
enum class Before {
  Change,
  ChangeAndRestore,
  ChangeAndChangeBack,
  FailToChange,
  OwnTermHandler,
  IgnoreInt
};
enum class End { Term, Int, Abort, Fault, Exit };

void before(Before what) {
  DisplayMode& modes = DisplayMode::current();
  if (what == Before::OwnTermHandler) signal(SIGTERM, previousTermHandler);
  if (what == Before::IgnoreInt) signal(SIGINT, SIG_IGN);
  if (what == Before::FailToChange) {
    modes.setMode({1280, 1024, 60});
    return;
  }
  if (!modes.setMode({640, 480, 60})) _exit(90);
  if (what == Before::ChangeAndRestore) modes.restore();
  if (what == Before::ChangeAndChangeBack) modes.setMode(kDesktop);
}

[[noreturn]] void end(End how) {
  switch (how) {
    case End::Term: raise(SIGTERM); break;
    case End::Int: raise(SIGINT); break;
    case End::Abort: abort();
    case End::Fault: *reinterpret_cast<volatile int*>(gNowhere) = 1; break;
    case End::Exit: std::exit(3);
  }
  _exit(5);  // the signal did not end the process
}

struct EmergencyCase {
  const char* what;
  Before before;
  End end;
  std::string ended;
  bool restored;
};

const EmergencyCase kEmergencies[] = {
    {"SIGTERM", Before::Change, End::Term, bySignal(SIGTERM), true},
    {"SIGINT", Before::Change, End::Int, bySignal(SIGINT), true},
    {"abort", Before::Change, End::Abort, bySignal(SIGABRT), true},
    {"fault", Before::Change, End::Fault, byFault(), true},
    {"exit", Before::Change, End::Exit, byExit(3), true},
    {"restored first", Before::ChangeAndRestore, End::Term, bySignal(SIGTERM), false},
    {"changed back by hand", Before::ChangeAndChangeBack, End::Exit, byExit(3), false},
    {"change failed", Before::FailToChange, End::Term, bySignal(SIGTERM), false},
    {"handler before ours", Before::OwnTermHandler, End::Term, byExit(42), true},
    {"ignored signal", Before::IgnoreInt, End::Int, byExit(5), false},
};

TEST_F(SimDisplayModes, AChangedModeIsRestoredWhenTheProcessEndsAbnormally) {
  for (const EmergencyCase& c : kEmergencies) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::fflush(nullptr);  // the child must not print what we have buffered
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(fds[0]);
      struct rlimit noCore {
        0, 0
      };
      setrlimit(RLIMIT_CORE, &noCore);
      sim::Desktop().setRestoreWitness(fds[1]);
      before(c.before);
      end(c.end);
    }
    close(fds[1]);
    int record[3] = {};
    ssize_t got = read(fds[0], record, sizeof record);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_EQ(howItEnded(status), c.ended) << c.what;
    if (c.restored) {
      ASSERT_EQ(got, static_cast<ssize_t>(sizeof record)) << c.what;
      EXPECT_EQ((ScreenMode{record[0], record[1], record[2]}), kDesktop) << c.what;
    } else {
      EXPECT_EQ(got, 0) << c.what;
    }
  }
}

TEST(XrandrDisplayMode, WithoutADisplayNothingCanChange) {
  if (std::getenv("DISPLAY")) GTEST_SKIP() << "a display is present";
  EXPECT_EQ(XrandrDisplayMode().currentMode(), std::nullopt);
  EXPECT_FALSE(XrandrDisplayMode().modeChangePossible());
  EXPECT_FALSE(XrandrDisplayMode().setMode({640, 480, 60}));
  EXPECT_FALSE(XrandrDisplayMode().modeChanged());
  EXPECT_TRUE(XrandrDisplayMode().restore());
}

// On a display, only what changes nothing: a mode no output offers.
TEST(XrandrDisplayMode, OnADisplayAModeNobodyOffersIsRefused) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
  auto before = XrandrDisplayMode().currentMode();
  if (!before) GTEST_SKIP() << "the display offers no mode changes";
  EXPECT_GT(before->width, 0);
  EXPECT_GT(before->height, 0);
  EXPECT_FALSE(XrandrDisplayMode().setMode({7, 5, 60}));
  EXPECT_EQ(XrandrDisplayMode().currentMode(), before);
  EXPECT_FALSE(XrandrDisplayMode().modeChanged());
}

}  // namespace
