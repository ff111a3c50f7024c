// The simulated hardware I/O library: loaded by file name, its exports drive the same card that
// the tests see, and its variant without isDriverOpened lacks exactly that export.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "hwiodrv/hwiodrv.h"
#include "platform/Environment.h"
#include "sim/Bt848Card.h"
#include "sim/EventLog.h"

namespace {

class Library {
public:
  explicit Library(const char* file)
      : handle_(dlopen((platform::ExecutableFolder() + file).c_str(), RTLD_NOW | RTLD_LOCAL)) {}
  ~Library() {
    if (handle_) dlclose(handle_);
  }
  bool loaded() const { return handle_ != nullptr; }
  template <typename Fn>
  Fn* get(const char* name) const {
    return reinterpret_cast<Fn*>(dlsym(handle_, name));
  }

private:
  void* handle_;
};

}  // namespace

TEST(HwiodrvSim, ExportsDriveTheSharedSimulatedCard) {
  sim::Card().reset();
  sim::Log().clear();
  Library lib("libhwiodrv-sim.so");
  ASSERT_TRUE(lib.loaded()) << dlerror();
  auto lookup = lib.get<PciGetHardwareResourcesFn>(hwiodrv::kPciGetHardwareResources);
  auto map = lib.get<MemoryMapFn>(hwiodrv::kMemoryMap);
  auto unmap = lib.get<MemoryUnmapFn>(hwiodrv::kMemoryUnmap);
  auto read = lib.get<MemoryReadFn>(hwiodrv::kMemoryRead);
  auto write = lib.get<MemoryWriteFn>(hwiodrv::kMemoryWrite);
  auto opened = lib.get<IsDriverOpenedFn>(hwiodrv::kIsDriverOpened);
  ASSERT_TRUE(lookup && map && unmap && read && write && opened);

  uint32_t r1 = 0, r2 = 0, r3 = 0;
  ASSERT_EQ(lookup(0x109E, 0x36E, &r1, &r2, &r3), 0);
  ASSERT_NE(map(r1, r2), 0u);
  write(0x28, 0x55);
  EXPECT_EQ(sim::Card().peek(0x28), 0x55u);
  sim::Card().poke(0x30, 0x77);
  EXPECT_EQ(read(0x30), 0x77u);
  unmap(r1, r2);
  EXPECT_FALSE(sim::Card().mapped());
  EXPECT_EQ(opened(), 1);
  EXPECT_EQ(sim::Log().events().size(), 5u);  // look-up, map, write, read, unmap
}

TEST(HwiodrvSim, VariantLacksOnlyIsDriverOpened) {
  Library lib("libhwiodrv-sim-noexport.so");
  ASSERT_TRUE(lib.loaded()) << dlerror();
  EXPECT_EQ(lib.get<IsDriverOpenedFn>(hwiodrv::kIsDriverOpened), nullptr);
  EXPECT_NE(lib.get<MemoryReadFn>(hwiodrv::kMemoryRead), nullptr);
  EXPECT_NE(lib.get<PciGetHardwareResourcesFn>(hwiodrv::kPciGetHardwareResources), nullptr);
}
