/* The graphics vendor as the detection file names it, taken from a display adapter's device identifier. */
#ifndef LAUNCHER_COMPANION_VENDOR_ID_H
#define LAUNCHER_COMPANION_VENDOR_ID_H

#ifdef __cplusplus
extern "C" {
#endif

enum {
  kDeviceIdCapacity = 128,                 /* the DeviceID field of DISPLAY_DEVICEA, zero included */
  kVendorValueCapacity = sizeof "0x10DE",  /* "0x", four hex digits, the zero */
};

/* A PCI identifier begins "PCI\VEN_xxxx", the four hex digits of the vendor, followed by "&" or its end
 * ("PCI\VEN_10DE&DEV_1C82&SUBSYS_..."). For such an identifier, fills value with "0x" and those digits in
 * upper case and returns 1. For any other identifier (another bus, no "VEN_", fewer or more than four
 * digits) leaves value empty and returns 0. The prefix is matched without regard to case. */
int ExtractVendorId(const char *deviceId, char value[kVendorValueCapacity]);

#ifdef __cplusplus
}
#endif

#endif
