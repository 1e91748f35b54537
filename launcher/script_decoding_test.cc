#include "launcher/script_decoding.h"

#include <string>

#include "tests/platform_fake.h"

namespace launcher {
namespace {

constexpr char kScript[] = "C:\\g\\CONF\\TMPFILE.TXT";

class ScriptDecodingTest : public PlatformTest {
 protected:
  // Every unit of the file, or "missing" or "unreadable".
  static std::u16string Units(ScriptEncoding &encoding) {
    ScriptDecoder decoder;
    switch (OpenScript(kScript, decoder)) {
      case ScriptOpening::kMissing: return u"missing";
      case ScriptOpening::kUnreadable: return u"unreadable";
      case ScriptOpening::kOpen: break;
    }
    encoding = decoder.encoding;
    std::u16string units;
    for (unsigned unit = 0; NextUnit(decoder, unit);) units += static_cast<char16_t>(unit);
    return units;
  }
};

TEST_F(ScriptDecodingTest, ChoosesTheEncodingOnceFromTheFirstBytes) {
  ScriptEncoding encoding{};
  EXPECT_EQ(Units(encoding), u"missing");
  Fake().unreadable = {kScript};
  EXPECT_EQ(Units(encoding), u"unreadable");
  Fake().unreadable.clear();

  Fake().contents[kScript] = std::string("\xFF\xFE" "R\0\x34\x12" "E", 7);  // an odd last byte is no unit
  EXPECT_EQ(Units(encoding), u"R\x1234");
  EXPECT_EQ(encoding, ScriptEncoding::kUtf16);

  Fake().contents[kScript] = "\xEF\xBB\xBFREGEDIT4\xFF\xFE";
  EXPECT_EQ(Units(encoding), u"REGEDIT4\xFF\xFE");
  EXPECT_EQ(encoding, ScriptEncoding::kSingleByteMarked);

  // A mark later in the file is text.
  Fake().contents[kScript] = "R\xFF\xFE";
  EXPECT_EQ(Units(encoding), u"R\xFF\xFE");
  EXPECT_EQ(encoding, ScriptEncoding::kSingleByte);
}

TEST_F(ScriptDecodingTest, ReadsOnAcrossPartsToTheEnd) {
  ScriptEncoding encoding{};
  std::string wide = "\xFF\xFE";
  std::u16string expected;
  for (int i = 0; i < 5000; ++i) {
    const char16_t unit = static_cast<char16_t>(0x4E00 + i % 256);
    wide += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    expected += unit;
  }
  Fake().contents[kScript] = wide;
  EXPECT_EQ(Units(encoding), expected);
}

}  // namespace
}  // namespace launcher
