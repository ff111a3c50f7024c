#include "platform/NamedLock.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "ScopedEnv.h"
#include "SimSystemFixture.h"
#include "platform/NamedLockFiles.h"
#include "platform/NamedLockSim.h"
#include "platform/ProcessLauncher.h"
#include "platform/ProcessLauncherPosix.h"

using namespace platform;

namespace {

using Kind = sim::SystemEvent::Kind;

// Both backends, each in a private world: a fresh simulated session, or a temporary runtime
// folder for the lock files.
class NamedLockContract : public SimSystemFixture,
                          public ::testing::WithParamInterface<const char*> {
protected:
  void SetUp() override {
    SimSystemFixture::SetUp();
    std::string pattern = (std::filesystem::temp_directory_path() / "vyx-locks-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    runtime_.emplace("XDG_RUNTIME_DIR", folder_.c_str());
  }
  void TearDown() override {
    runtime_.reset();
    std::filesystem::remove_all(folder_);
    SimSystemFixture::TearDown();
  }
  NamedLockBackend& backend() {
    return std::string(GetParam()) == "sim" ? SimNamedLockBackend() : FileNamedLockBackend();
  }
  bool existed(const std::string& name) {
    auto lock = backend().create(name);
    EXPECT_NE(lock, nullptr) << name;
    return lock && lock->alreadyExisted();
  }

  std::string folder_;
  std::optional<ScopedEnv> runtime_;
};

TEST_P(NamedLockContract, TheNameExistsWhileItsHolderLives) {
  auto holder = backend().create("The_Vyx_98_running");
  ASSERT_NE(holder, nullptr);
  EXPECT_FALSE(holder->alreadyExisted());
  EXPECT_EQ(holder->name(), "The_Vyx_98_running");

  auto second = backend().create("The_Vyx_98_running");
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->alreadyExisted()) << "a second copy in the same process";
  second.reset();
  EXPECT_TRUE(existed("The_Vyx_98_running")) << "closing a non-holder keeps the name";

  holder.reset();
  auto again = backend().create("The_Vyx_98_running");
  ASSERT_NE(again, nullptr);
  EXPECT_FALSE(again->alreadyExisted()) << "the holder has gone";
}

TEST_P(NamedLockContract, NamesAreDistinctByEveryByte) {
  const char* names[] = {"a/b", "a%2Fb", "a_b", "A/B", "a b", "..", "VyxVideoRemote"};
  std::vector<std::unique_ptr<NamedLock>> held;
  for (const char* name : names) {
    held.push_back(backend().create(name));
    ASSERT_NE(held.back(), nullptr) << name;
    EXPECT_FALSE(held.back()->alreadyExisted()) << name;
  }
  for (const char* name : names) EXPECT_TRUE(existed(name)) << name;
}

TEST_P(NamedLockContract, AnEmptyNameIsNoLock) { EXPECT_EQ(backend().create(""), nullptr); }

INSTANTIATE_TEST_SUITE_P(Backends, NamedLockContract, ::testing::Values("sim", "files"));

class SimNamedLocks : public SimSystemFixture {};

TEST_F(SimNamedLocks, TheCompanionHoldsItsLockWhileItRuns) {
  EXPECT_EQ(&NamedLockBackend::current(), &SimNamedLockBackend());
  for (bool running : {false, true, false}) {
    sim::System().setCompanionRunning(running);
    auto lock = NamedLockBackend::current().create("VyxVideoRemote");
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(lock->alreadyExisted(), running);
  }
}

TEST_F(SimNamedLocks, CreationCanBeMadeToFailAndEveryRequestIsLogged) {
  sim::System().setLockCreationFails(true);
  EXPECT_EQ(NamedLockBackend::current().create("x"), nullptr);
  sim::System().setLockCreationFails(false);
  {
    auto holder = NamedLockBackend::current().create("x");
    auto other = NamedLockBackend::current().create("x");
  }
  auto events = sim::SystemLog().events();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(kinds(), (std::vector<Kind>{Kind::LockCreate, Kind::LockCreate, Kind::LockCreate,
                                        Kind::LockClose, Kind::LockClose}));
  EXPECT_FALSE(events[0].ok);
  EXPECT_EQ(events[1].a, 0);
  EXPECT_EQ(events[2].a, 1);
  EXPECT_EQ(events[3].a, 0) << "the second handle closes first and was no holder";
  EXPECT_EQ(events[4].a, 1);
  EXPECT_FALSE(sim::System().lockHeld("x"));
}

// The file backend across processes.
class FileLocks : public NamedLockContract {
protected:
  // Runs `body` in a forked child; its exit code, or -1 when it did not exit normally.
  static int inChild(const std::function<int()>& body) {
    std::fflush(nullptr);  // the child must not print what we have buffered
    pid_t pid = fork();
    if (pid == 0) _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  static int childSees(const std::string& name) {
    return inChild([&] {
      auto lock = FileNamedLockBackend().create(name);
      return lock ? (lock->alreadyExisted() ? 1 : 0) : 2;
    });
  }
};

TEST_P(FileLocks, AnotherProcessSeesTheNameWhileWeHoldIt) {
  auto holder = FileNamedLockBackend().create("The_Vyx_98_running");
  ASSERT_NE(holder, nullptr);
  EXPECT_EQ(childSees("The_Vyx_98_running"), 1);
  holder.reset();
  EXPECT_EQ(childSees("The_Vyx_98_running"), 0);
}

TEST_P(FileLocks, AHolderThatDiesWithoutClosingFreesTheName) {
  int code = inChild([] {
    auto lock = FileNamedLockBackend().create("VyxVideoRemote");
    if (!lock || lock->alreadyExisted()) return 1;
    lock.release();  // never closed: the process just ends
    return 0;
  });
  ASSERT_EQ(code, 0);
  EXPECT_FALSE(existed("VyxVideoRemote"));
}

TEST_P(FileLocks, AProgramWeStartDoesNotKeepOurLock) {
  auto holder = FileNamedLockBackend().create("The_Vyx_98_running");
  ASSERT_NE(holder, nullptr);
  auto child = PosixProcessLauncher().start("/bin/sleep 1000");
  ASSERT_NE(child, nullptr);
  holder.reset();
  EXPECT_FALSE(existed("The_Vyx_98_running"));
  kill(static_cast<pid_t>(child->id()), SIGKILL);
  child->wait();
}

TEST_P(FileLocks, LockFilesLiveInTheRuntimeFolderOrAPrivateOneInTmp) {
  EXPECT_EQ(LockFilePath("The_Vyx_98_running"), folder_ + "/The_Vyx_98_running.lock");
  EXPECT_EQ(LockFilePath("a/b c%"), folder_ + "/a%2Fb%20c%25.lock");
  std::string fallback = "/tmp/vyx-locks-" + std::to_string(getuid());
  for (const char* runtime :
       {static_cast<const char*>(nullptr), "relative/dir", "/nonexistent/vyx"}) {
    ScopedEnv env("XDG_RUNTIME_DIR", runtime);
    EXPECT_EQ(LockFolder(), fallback) << (runtime ? runtime : "(unset)");
  }
  struct stat st {};
  ASSERT_EQ(lstat(fallback.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

INSTANTIATE_TEST_SUITE_P(Real, FileLocks, ::testing::Values("files"));

}  // namespace
