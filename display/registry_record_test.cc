#include "display/registry_record.h"

#include <string>
#include <vector>

#include "tests/platform_fake.h"

namespace launcher {
namespace {

using Bytes = std::vector<unsigned char>;

class RegistryRecordTest : public PlatformTest {
 protected:
  static void Regset(const std::string &key, const std::string &value) {
    SetSetting(".\\KQgameset.ini", "REGSET", key, value);
  }
  static void CompleteTarget(const std::string &root, const std::string &valueType) {
    Regset("ROOT", root);
    Regset("SUBKEY", "Software\\Example\\Video");
    Regset("VALUENAMEX", "Width");
    Regset("VALUENAMEY", "Height");
    Regset("VALUETYPE", valueType);
  }
  static std::vector<RegistryWrite> Record(Resolution resolution) {
    RegistryTarget target{};
    EXPECT_TRUE(ReadRegistryTarget(target));
    WriteResolutionRecord(target, resolution);
    return Fake().registryWrites;
  }
  static std::string Report() {
    RegistryTarget target{};
    EXPECT_FALSE(ReadRegistryTarget(target));
    ShowConfigurationReport(target);
    EXPECT_EQ(Fake().messages.size(), 1u);
    return Fake().messages.empty() ? "" : Fake().messages.back();
  }
};

Bytes Text(const std::string &text) { return Bytes(text.begin(), text.end()); }

TEST_F(RegistryRecordTest, ReadsTheFiveKeysInOrder) {
  RegistryTarget target{};
  ReadRegistryTarget(target);
  EXPECT_EQ(Fake().calls, (std::vector<std::string>{
                              "ReadProfileString .\\KQgameset.ini|REGSET|SUBKEY|400",
                              "ReadProfileInt .\\KQgameset.ini|REGSET|ROOT|0",
                              "ReadProfileString .\\KQgameset.ini|REGSET|VALUENAMEX|200",
                              "ReadProfileString .\\KQgameset.ini|REGSET|VALUENAMEY|200",
                              "ReadProfileInt .\\KQgameset.ini|REGSET|VALUETYPE|0",
                          }));
}

TEST_F(RegistryRecordTest, AnyMissingPartMakesTheTargetIncomplete) {
  for (const char *missing : {"SUBKEY", "VALUENAMEX", "VALUENAMEY", "ROOT", "VALUETYPE"}) {
    Fake() = FakePlatform();
    CompleteTarget("2", "1");
    Fake().profile.erase({".\\KQgameset.ini", "REGSET", missing});
    RegistryTarget target{};
    EXPECT_FALSE(ReadRegistryTarget(target)) << missing;
  }
  Fake() = FakePlatform();
  CompleteTarget("65536", "1");  // low 16 bits are 0
  RegistryTarget target{};
  EXPECT_FALSE(ReadRegistryTarget(target));
  EXPECT_EQ(target.rootCode, RootCode::kNotSet);
}

TEST_F(RegistryRecordTest, DwordValuesAreFourLittleEndianBytes) {
  CompleteTarget("2", "1");
  std::vector<RegistryWrite> writes = Record({1024, -768});
  EXPECT_EQ(CallsStartingWith("CreateRegistryKey"),
            (std::vector<std::string>{"CreateRegistryKey HKCU\\Software\\Example\\Video"}));
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].name, "Width");
  EXPECT_EQ(writes[0].type, 4u);
  EXPECT_EQ(writes[0].data, (Bytes{0x00, 0x04, 0x00, 0x00}));
  EXPECT_EQ(writes[1].name, "Height");
  EXPECT_EQ(writes[1].type, 4u);
  EXPECT_EQ(writes[1].data, (Bytes{0x00, 0xFD, 0xFF, 0xFF}));  // two's complement of -768
}

TEST_F(RegistryRecordTest, DecimalValuesAreTenZeroFilledBytes) {
  CompleteTarget("1", "2");
  std::vector<RegistryWrite> writes = Record({1024, 768});
  EXPECT_EQ(CallsStartingWith("CreateRegistryKey"),
            (std::vector<std::string>{"CreateRegistryKey HKLM\\Software\\Example\\Video"}));
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0].type, 1u);
  EXPECT_EQ(writes[0].data, (Bytes{'1', '0', '2', '4', 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(writes[1].type, 1u);
  EXPECT_EQ(writes[1].data, (Bytes{'7', '6', '8', 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(RegistryRecordTest, DecimalValuesOfEveryLengthAreStoredWhole) {
  CompleteTarget("2", "2");
  struct Case {
    int number;
    std::string text;
  };
  const Case cases[] = {
      {0, "0"},          {-1, "-1"},         {999999999, "999999999"},  {-99999999, "-99999999"},
      {1000000000, "1000000000"}, {-100000000, "-100000000"}, {2147483647, "2147483647"},
      {-2147483647 - 1, "-2147483648"},
  };
  for (const Case &c : cases) {
    Fake().registryWrites.clear();
    std::vector<RegistryWrite> writes = Record({c.number, 1});
    ASSERT_EQ(writes.size(), 2u);
    Bytes expected = Text(c.text);
    // Nine characters or fewer fill the 10-byte layout; longer ones keep every digit and one zero.
    expected.resize(c.text.size() < 10 ? 10 : c.text.size() + 1, 0);
    EXPECT_EQ(writes[0].data, expected) << c.number;
  }
}

TEST_F(RegistryRecordTest, RootCountsByItsLowSixteenBits) {
  CompleteTarget("65537", "1");
  Record({640, 480});
  EXPECT_EQ(CallsStartingWith("CreateRegistryKey"),
            (std::vector<std::string>{"CreateRegistryKey HKLM\\Software\\Example\\Video"}));
}

TEST_F(RegistryRecordTest, UnknownRootTouchesNoKeyAndUnknownTypeOnlyOpensIt) {
  CompleteTarget("3", "1");
  EXPECT_TRUE(Record({640, 480}).empty());
  EXPECT_TRUE(CallsStartingWith("CreateRegistryKey").empty());

  Fake() = FakePlatform();
  CompleteTarget("2", "3");
  EXPECT_TRUE(Record({640, 480}).empty());
  EXPECT_EQ(CallsStartingWith("CreateRegistryKey").size(), 1u);

  // The codes as the preview judges them, by what the record does with them.
  EXPECT_FALSE(Records(CodeOf<RootCode>(3)));
  EXPECT_FALSE(Records(CodeOf<RootCode>(65536)));
  EXPECT_TRUE(Records(CodeOf<RootCode>(65537)));
  EXPECT_FALSE(Records(CodeOf<ValueTypeCode>(65539)));
  EXPECT_TRUE(Records(CodeOf<ValueTypeCode>(2)));
}

TEST_F(RegistryRecordTest, TheSameNameTwiceIsWrittenWidthThenHeight) {
  CompleteTarget("2", "1");
  Regset("VALUENAMEY", "Width");
  std::vector<RegistryWrite> writes = Record({1024, 768});
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[1].name, "Width");
  EXPECT_EQ(writes[1].data, (Bytes{0x00, 0x03, 0x00, 0x00}));
}

TEST_F(RegistryRecordTest, ReportListsTheValuesAsRead) {
  EXPECT_EQ(Report(), " ROOT = 0\n SUBKEY =  \n VALUENAMEX =  \n VALUENAMEY =  \n VALUETYPE = 0");

  Fake() = FakePlatform();
  CompleteTarget("65538", "131071");
  Regset("SUBKEY", "");
  EXPECT_EQ(Report(),
            " ROOT = 2\n SUBKEY =  \n VALUENAMEX = Width \n VALUENAMEY = Height \n VALUETYPE = 65535");
}

TEST_F(RegistryRecordTest, ReportHoldsValuesAtFullCapacity) {
  const std::string subkey(399, 's'), nameX(199, 'x'), nameY(199, 'y');
  Regset("SUBKEY", subkey + "cut");
  Regset("VALUENAMEX", nameX + "cut");
  Regset("VALUENAMEY", nameY + "cut");
  Regset("ROOT", "-1");  // 65535
  EXPECT_EQ(Report(), " ROOT = 65535\n SUBKEY = " + subkey + " \n VALUENAMEX = " + nameX + " \n VALUENAMEY = " +
                          nameY + " \n VALUETYPE = 0");
}

}  // namespace
}  // namespace launcher
