// Registers of the Bt848/Bt849/Bt878/Bt879 that the chip object uses: byte offsets in the
// memory-mapped register window and the bits given a meaning here.
#pragma once

#include <cstdint>

namespace bt848 {

constexpr uint32_t kDstatus = 0x000;
constexpr uint32_t kIform = 0x004;
constexpr uint32_t kBright = 0x028;
constexpr uint32_t kEControl = 0x02C;
constexpr uint32_t kContrastLo = 0x030;
constexpr uint32_t kSatULo = 0x034;
constexpr uint32_t kSatVLo = 0x038;
constexpr uint32_t kHue = 0x03C;
constexpr uint32_t kWcUp = 0x044;
constexpr uint32_t kADelay = 0x060;
constexpr uint32_t kBDelay = 0x064;
constexpr uint32_t kTgctrl = 0x084;
constexpr uint32_t kOControl = 0x0AC;
constexpr uint32_t kVtotalLo = 0x0B0;
constexpr uint32_t kVtotalHi = 0x0B4;
constexpr uint32_t kPllFLo = 0x0F0;
constexpr uint32_t kPllFHi = 0x0F4;
constexpr uint32_t kPllXci = 0x0F8;
constexpr uint32_t kDvsif = 0x0FC;
constexpr uint32_t kIntStat = 0x100;
constexpr uint32_t kI2c = 0x110;
constexpr uint32_t kGpioOutEn = 0x118;
constexpr uint32_t kGpioRegInp = 0x11C;
constexpr uint32_t kGpioData = 0x200;

// DSTATUS
constexpr uint32_t kPres = 0x80;   // video present
constexpr uint32_t kHloc = 0x40;   // horizontal lock
constexpr uint32_t kPlock = 0x04;  // PLL out of lock; sticky, cleared by writing 0

// E_CONTROL / O_CONTROL
constexpr uint32_t kComp = 0x40;    // composite (luma/chroma) separation off: S-video
constexpr uint32_t kConMsb = 0x04;
constexpr uint32_t kSatUMsb = 0x02;
constexpr uint32_t kSatVMsb = 0x01;

// IFORM
constexpr uint32_t kFormatMask = 0x07;
constexpr uint32_t kFormatXtMask = 0x1F;  // FORMAT and XTSEL
constexpr uint32_t kMuxselMask = 0x60;

// INT_STAT
constexpr uint32_t kI2cDone = 0x100;
constexpr uint32_t kRack = 0x2000000;

// I2C control bytes: clock divider 8, SCL and SDA high, with or without the three-byte mode.
constexpr uint32_t kI2cWrite3 = 0x87;
constexpr uint32_t kI2cRead = 0x83;

// TGCTRL
constexpr uint32_t kTgClockCrystal = 0x00;
constexpr uint32_t kTgClockPll = 0x08;

// PCI identity
constexpr uint32_t kVendor = 0x109E;
constexpr uint32_t kDevices[] = {0x350, 0x351, 0x36E, 0x36F};  // Bt848, Bt849, Bt878, Bt879

}  // namespace bt848
