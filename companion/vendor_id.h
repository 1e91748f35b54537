// The graphics vendor as the detection file names it, taken from a display adapter's device identifier.
#ifndef LAUNCHER_COMPANION_VENDOR_ID_H
#define LAUNCHER_COMPANION_VENDOR_ID_H

#include <cstddef>

#include "platform/text.h"

namespace launcher {

inline constexpr std::size_t kDeviceIdCapacity = 128;  // the DeviceID field of DISPLAY_DEVICEA, zero included
using DeviceId = Text<kDeviceIdCapacity>;
using VendorValue = Text<sizeof "0x10DE">;  // "0x", four hex digits, the zero

// A PCI identifier begins "PCI\VEN_xxxx", the four hex digits of the vendor, followed by "&" or its end
// ("PCI\VEN_10DE&DEV_1C82&SUBSYS_..."). For such an identifier, fills value with "0x" and those digits in
// upper case and returns true. For any other identifier (another bus, no "VEN_", fewer or more than four
// digits) leaves value empty and returns false. The prefix is matched without regard to case.
bool ExtractVendorId(const DeviceId &deviceId, VendorValue &value);

}  // namespace launcher

#endif
