// The hardware I/O library over the simulated card: each export forwards to sim::Card(), which
// lives in the shared simulation library, so the program, the tests and this library all drive
// one and the same card. Built a second time without isDriverOpened, to test a library that
// lacks an export.
#include <cstdint>
#include <type_traits>

#include "hwiodrv/hwiodrv.h"
#include "sim/Bt848Card.h"

HWIODRV_EXPORT int32_t pciGetHardwareResources(uint32_t vendor, uint32_t device,
                                               uint32_t* resource1, uint32_t* resource2,
                                               uint32_t* resource3) {
  return sim::Card().pciLookup(vendor, device, resource1, resource2, resource3);
}

#ifndef HWIODRV_SIM_WITHOUT_IS_DRIVER_OPENED
HWIODRV_EXPORT int32_t isDriverOpened() { return 1; }
static_assert(std::is_same_v<decltype(isDriverOpened), IsDriverOpenedFn>);
#endif

HWIODRV_EXPORT uint32_t memoryMap(uint32_t resource1, uint32_t resource2) {
  return sim::Card().map(resource1, resource2);
}

HWIODRV_EXPORT void memoryUnmap(uint32_t resource1, uint32_t resource2) {
  sim::Card().unmap(resource1, resource2);
}

HWIODRV_EXPORT uint32_t memoryRead(uint32_t offset) { return sim::Card().read(offset); }

HWIODRV_EXPORT void memoryWrite(uint32_t offset, uint32_t value) {
  sim::Card().write(offset, value);
}

static_assert(std::is_same_v<decltype(pciGetHardwareResources), PciGetHardwareResourcesFn>);
static_assert(std::is_same_v<decltype(memoryMap), MemoryMapFn>);
static_assert(std::is_same_v<decltype(memoryUnmap), MemoryUnmapFn>);
static_assert(std::is_same_v<decltype(memoryRead), MemoryReadFn>);
static_assert(std::is_same_v<decltype(memoryWrite), MemoryWriteFn>);
