#include "companion/vendor_id.h"

#include <string.h>

#define PCI_VENDOR_PREFIX "PCI\\VEN_"

enum { kVendorDigits = 4 };

/* Plain ASCII on purpose: the identifier is ASCII, whatever the locale or code page. */
static char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c; }

static int IsHexDigit(char c) {
  char upper = ToUpperAscii(c);
  return (upper >= '0' && upper <= '9') || (upper >= 'A' && upper <= 'F');
}

static int StartsWithPciVendor(const char *deviceId) {
  for (size_t i = 0; i < sizeof PCI_VENDOR_PREFIX - 1; ++i) {
    if (ToUpperAscii(deviceId[i]) != PCI_VENDOR_PREFIX[i]) return 0; /* also stops at the zero */
  }
  return 1;
}

int ExtractVendorId(const char *deviceId, char value[kVendorValueCapacity]) {
  memset(value, 0, kVendorValueCapacity);
  if (!StartsWithPciVendor(deviceId)) return 0;

  const char *digits = deviceId + (sizeof PCI_VENDOR_PREFIX - 1);
  for (int i = 0; i < kVendorDigits; ++i) {
    if (!IsHexDigit(digits[i])) return 0; /* also stops at the zero */
  }
  if (digits[kVendorDigits] != '&' && digits[kVendorDigits] != '\0') return 0;

  value[0] = '0';
  value[1] = 'x';
  for (int i = 0; i < kVendorDigits; ++i) value[2 + i] = ToUpperAscii(digits[i]);
  return 1;
}
