#include "companion/vendor_id.h"

#include <string>

#include "tests/platform_fake.h"

namespace launcher {
namespace {

// The value extracted, or "none" when the identifier names no PCI vendor (and the value is then empty).
std::string Vendor(const std::string &deviceId) {
  VendorValue value;
  value.bytes.fill('x');  // whatever a previous use left
  const bool found = ExtractVendorId(TextOf<kDeviceIdCapacity>(deviceId), value);
  if (!found) {
    return IsEmpty(value) ? "none" : "none, but value '" + std::string(value.bytes.data(), sizeof value.bytes) + "'";
  }
  return std::string(CString(value));
}

TEST(ExtractVendorId, TakesTheFourDigitsAfterVenInUpperCase) {
  EXPECT_EQ(Vendor("PCI\\VEN_10DE&DEV_1C82&SUBSYS_11BF1458&REV_A1"), "0x10DE");
  EXPECT_EQ(Vendor("PCI\\VEN_1002&DEV_67DF&SUBSYS_E3531DA2&REV_E7"), "0x1002");
  EXPECT_EQ(Vendor("PCI\\VEN_8086"), "0x8086");  // the vendor field alone
  EXPECT_EQ(Vendor("PCI\\VEN_10de&DEV_1c82"), "0x10DE");
  EXPECT_EQ(Vendor("PCI\\VEN_aBcD&DEV_0000"), "0xABCD");
  EXPECT_EQ(Vendor("pci\\ven_15ad&dev_0405"), "0x15AD");
  EXPECT_EQ(Vendor("PCI\\VEN_0000&DEV_0000"), "0x0000");
}

TEST(ExtractVendorId, FindsNoVendorWithoutVen) {
  EXPECT_EQ(Vendor(""), "none");
  EXPECT_EQ(Vendor("PCI\\DEV_1C82&SUBSYS_11BF1458"), "none");
  EXPECT_EQ(Vendor("PCI\\10DE&DEV_1C82"), "none");
  EXPECT_EQ(Vendor("PCI\\VEN10DE&DEV_1C82"), "none");
  EXPECT_EQ(Vendor("PCI\\DEV_1C82&VEN_10DE"), "none");  // the vendor is the first field
}

TEST(ExtractVendorId, FindsNoVendorInShortOrMalformedDigits) {
  for (const char *id : {"P", "PCI\\", "PCI\\VEN_", "PCI\\VEN_1", "PCI\\VEN_10D", "PCI\\VEN_10D&DEV_1C82",
                         "PCI\\VEN_10DEF&DEV_1C82", "PCI\\VEN_10DE0", "PCI\\VEN_10DG&DEV_1C82",
                         "PCI\\VEN_ 10D&DEV", "PCI\\VEN_-10D&DEV"}) {
    EXPECT_EQ(Vendor(id), "none") << id;
  }
}

TEST(ExtractVendorId, FindsNoVendorOnAnotherBus) {
  for (const char *id : {"ROOT\\BasicDisplay\\0000", "ACPI\\VEN_QCOM&DEV_043A", "ACPI\\VEN_10DE&DEV_0001",
                         "USB\\VID_17E9&PID_4301", "XPCI\\VEN_10DE&DEV_1C82", "VEN_10DE&DEV_1C82",
                         " PCI\\VEN_10DE&DEV_1C82"}) {
    EXPECT_EQ(Vendor(id), "none") << id;
  }
}

}  // namespace
}  // namespace launcher
