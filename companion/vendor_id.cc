#include "companion/vendor_id.h"

#include <cstddef>
#include <string_view>

namespace launcher {
namespace {

constexpr std::string_view kPciVendorPrefix = "PCI\\VEN_";
constexpr std::size_t kVendorDigits = 4;

// Plain ASCII on purpose: the identifier is ASCII, whatever the locale or code page.
char ToUpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsHexDigit(char c) {
  const char upper = ToUpperAscii(c);
  return (upper >= '0' && upper <= '9') || (upper >= 'A' && upper <= 'F');
}

bool StartsWithPciVendor(std::string_view deviceId) {
  if (deviceId.size() < kPciVendorPrefix.size()) return false;
  for (std::size_t i = 0; i < kPciVendorPrefix.size(); ++i) {
    if (ToUpperAscii(deviceId[i]) != kPciVendorPrefix[i]) return false;
  }
  return true;
}

}  // namespace

bool ExtractVendorId(const DeviceId &deviceId, VendorValue &value) {
  value = VendorValue{};
  const std::string_view id = View(deviceId);
  if (!StartsWithPciVendor(id)) return false;

  std::string_view rest = id;
  rest.remove_prefix(kPciVendorPrefix.size());
  if (rest.size() < kVendorDigits) return false;
  for (std::size_t i = 0; i < kVendorDigits; ++i) {
    if (!IsHexDigit(rest[i])) return false;
  }
  if (rest.size() > kVendorDigits && rest[kVendorDigits] != '&') return false;

  value.bytes[0] = '0';
  value.bytes[1] = 'x';
  for (std::size_t i = 0; i < kVendorDigits; ++i) value.bytes[2 + i] = ToUpperAscii(rest[i]);
  return true;
}

}  // namespace launcher
