// The hardware I/O library over libpciaccess: finds the card on the PCI bus and maps its register
// window (BAR0) for 32-bit register reads and writes.
//
// Resource words handed to the chip object:
//   resource1 = PCI location: domain << 16 | bus << 8 | device << 3 | function
//   resource2 = low 32 bits of BAR0's physical base (checked again when mapping)
//   resource3 = BAR0 size in bytes
//
// Mapping needs root, and a card that no kernel driver holds. Without them every call still
// answers safely: the look-up reports "not found" and the mapping is refused.
#include <pciaccess.h>

#include <cstdint>
#include <type_traits>

#include "hwiodrv/hwiodrv.h"

namespace {

// The library's whole state: PCI access and the one mapping the chip object uses.
struct State {
  bool pciReady = false;
  bool pciTried = false;
  pci_device* device = nullptr;
  volatile uint8_t* window = nullptr;
  uint64_t size = 0;

  bool ensurePci() {
    if (!pciTried) {
      pciTried = true;
      pciReady = pci_system_init() == 0;
    }
    return pciReady;
  }

  void unmapWindow() {
    if (window) pci_device_unmap_range(device, const_cast<uint8_t*>(window), size);
    window = nullptr;
    device = nullptr;
    size = 0;
  }

  // Unloading the library (or the process ending) releases the mapping and libpciaccess.
  ~State() {
    unmapWindow();
    if (pciReady) pci_system_cleanup();
  }
};

State& state() {
  static State s;
  return s;
}

uint32_t packLocation(const pci_device* d) {
  return static_cast<uint32_t>(d->domain_16) << 16 | static_cast<uint32_t>(d->bus) << 8 |
         static_cast<uint32_t>(d->dev & 0x1F) << 3 | (d->func & 0x7);
}

pci_device* findByLocation(uint32_t location) {
  return pci_device_find_by_slot(location >> 16, (location >> 8) & 0xFF, (location >> 3) & 0x1F,
                                 location & 0x7);
}

// BAR0 of a card must be a memory region.
bool usableBar0(const pci_device* d) {
  const pci_mem_region& bar = d->regions[0];
  return !bar.is_IO && bar.base_addr != 0 && bar.size >= 4;
}

bool inWindow(uint32_t offset) {
  const State& s = state();
  return s.window && (offset & 3) == 0 && uint64_t{offset} + 4 <= s.size;
}

}  // namespace

HWIODRV_EXPORT int32_t pciGetHardwareResources(uint32_t vendor, uint32_t device,
                                               uint32_t* resource1, uint32_t* resource2,
                                               uint32_t* resource3) {
  if (!state().ensurePci()) return -1;
  pci_id_match match{vendor, device, PCI_MATCH_ANY, PCI_MATCH_ANY, 0, 0, 0};
  pci_device_iterator* it = pci_id_match_iterator_create(&match);
  if (!it) return -1;
  int32_t result = 1;  // not found
  while (pci_device* d = pci_device_next(it)) {
    if (pci_device_probe(d) != 0 || !usableBar0(d)) continue;
    if (resource1) *resource1 = packLocation(d);
    if (resource2) *resource2 = static_cast<uint32_t>(d->regions[0].base_addr);
    if (resource3) *resource3 = static_cast<uint32_t>(d->regions[0].size);
    result = 0;
    break;
  }
  pci_iterator_destroy(it);
  return result;
}

HWIODRV_EXPORT int32_t isDriverOpened() { return state().ensurePci() ? 1 : 0; }

HWIODRV_EXPORT uint32_t memoryMap(uint32_t resource1, uint32_t resource2) {
  State& s = state();
  if (!s.ensurePci()) return 0;
  s.unmapWindow();
  pci_device* d = findByLocation(resource1);
  if (!d || pci_device_probe(d) != 0 || !usableBar0(d)) return 0;
  const pci_mem_region& bar = d->regions[0];
  if (static_cast<uint32_t>(bar.base_addr) != resource2) return 0;  // not the card we found
  void* memory = nullptr;
  if (pci_device_map_range(d, bar.base_addr, bar.size, PCI_DEV_MAP_FLAG_WRITABLE, &memory) != 0 ||
      !memory)
    return 0;
  s.device = d;
  s.window = static_cast<volatile uint8_t*>(memory);
  s.size = bar.size;
  return 1;
}

HWIODRV_EXPORT void memoryUnmap(uint32_t, uint32_t) { state().unmapWindow(); }

// Offsets outside the window (or unaligned) read as an absent device does and are not written.
HWIODRV_EXPORT uint32_t memoryRead(uint32_t offset) {
  if (!inWindow(offset)) return 0xFFFFFFFF;
  return *reinterpret_cast<volatile uint32_t*>(state().window + offset);
}

HWIODRV_EXPORT void memoryWrite(uint32_t offset, uint32_t value) {
  if (!inWindow(offset)) return;
  *reinterpret_cast<volatile uint32_t*>(state().window + offset) = value;
}

static_assert(std::is_same_v<decltype(pciGetHardwareResources), PciGetHardwareResourcesFn>);
static_assert(std::is_same_v<decltype(isDriverOpened), IsDriverOpenedFn>);
static_assert(std::is_same_v<decltype(memoryMap), MemoryMapFn>);
static_assert(std::is_same_v<decltype(memoryUnmap), MemoryUnmapFn>);
static_assert(std::is_same_v<decltype(memoryRead), MemoryReadFn>);
static_assert(std::is_same_v<decltype(memoryWrite), MemoryWriteFn>);
