// The six C exports of the hardware I/O library, as the chip object binds them by name. Both
// builds of the library (real, over libpciaccess; simulated, over the simulated card) define
// exactly these functions, and the chip object's entry points have exactly these types.
#pragma once

#include <cstdint>

extern "C" {

// Looks for a PCI device with these ids. Returns 0 when one exists and then fills the three
// resource words (their meaning belongs to the library); any other result means not found.
using PciGetHardwareResourcesFn = int32_t(uint32_t vendor, uint32_t device, uint32_t* resource1,
                                          uint32_t* resource2, uint32_t* resource3);

// Reports whether the library's access path is usable (the chip object never calls it, but it
// must be exported).
using IsDriverOpenedFn = int32_t();

// Maps the register window of the device named by the first two resource words for the reads
// and writes that follow. Non-zero on success, 0 on failure.
using MemoryMapFn = uint32_t(uint32_t resource1, uint32_t resource2);

// Undoes memoryMap.
using MemoryUnmapFn = void(uint32_t resource1, uint32_t resource2);

// The 32-bit register at a byte offset of the mapped window.
using MemoryReadFn = uint32_t(uint32_t offset);
using MemoryWriteFn = void(uint32_t offset, uint32_t value);

}  // extern "C"

// The export names, for binding.
namespace hwiodrv {
inline constexpr const char kPciGetHardwareResources[] = "pciGetHardwareResources";
inline constexpr const char kIsDriverOpened[] = "isDriverOpened";
inline constexpr const char kMemoryUnmap[] = "memoryUnmap";
inline constexpr const char kMemoryMap[] = "memoryMap";
inline constexpr const char kMemoryRead[] = "memoryRead";
inline constexpr const char kMemoryWrite[] = "memoryWrite";
}  // namespace hwiodrv

// Definitions inside the libraries: exported with C linkage and default visibility.
#define HWIODRV_EXPORT extern "C" __attribute__((visibility("default")))
