#include "display/registry_record.h"

#include <array>
#include <cstdint>

#include "platform/platform.h"

namespace launcher {
namespace {

// The registry layout of a decimal value: its text zero-filled to this many bytes.
constexpr std::size_t kDecimalValueLength = 10;

// A code as the report shows it: the low 16 bits of the setting, as a number.
template <typename Code>
std::uint16_t SixteenBitValue(Code code) {
  return static_cast<std::uint16_t>(code);
}

template <typename Code>
Code CodeSetting(const IntegerSetting &setting) {
  return CodeOf<Code>(ReadSettingInt(setting));
}

RecordValue DwordValue(int number) {
  const auto bits = static_cast<std::uint32_t>(number);
  return {{static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
           static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)},
          4};
}

// The decimal text zero-filled to 10 bytes. A text of 10 or 11 characters would not fit that with its
// terminating zero; it is stored whole with one zero after it rather than cut to a wrong number.
RecordValue DecimalValue(int number) {
  const auto text = Composed(number);
  RecordValue value{};
  static_assert(sizeof text.bytes <= sizeof value.data, "the text and its zero fit the value");
  static_assert(sizeof text.bytes >= kDecimalValueLength, "the layout's zeros lie within the text");
  for (std::size_t i = 0; i < sizeof text.bytes; ++i) value.data[i] = static_cast<unsigned char>(text.bytes[i]);
  value.length = Length(text) < kDecimalValueLength ? kDecimalValueLength : Length(text) + 1;
  return value;
}

}  // namespace

bool ReadRegistryTarget(RegistryTarget &target) {
  target.subkey = ReadSettingString(kSubkey);
  target.rootCode = CodeSetting<RootCode>(kRoot);
  target.valueNameX = ReadSettingString(kValueNameX);
  target.valueNameY = ReadSettingString(kValueNameY);
  target.valueTypeCode = CodeSetting<ValueTypeCode>(kValueType);

  return !IsEmpty(target.subkey) && !IsEmpty(target.valueNameX) && !IsEmpty(target.valueNameY) &&
         target.rootCode != RootCode::kNotSet && target.valueTypeCode != ValueTypeCode::kNotSet;
}

ResolutionRecord PlanResolutionRecord(const RegistryTarget &target, Resolution resolution) {
  ResolutionRecord record{};
  record.opensKey = Records(target.rootCode);
  record.root = target.rootCode == RootCode::kLocalMachine ? RegistryRoot::kLocalMachine : RegistryRoot::kCurrentUser;
  record.writesValues = Records(target.valueTypeCode);
  if (target.valueTypeCode == ValueTypeCode::kDword) {
    record.type = RegistryValueType::kDword;
    record.width = DwordValue(resolution.width);
    record.height = DwordValue(resolution.height);
  } else {
    record.type = RegistryValueType::kString;
    record.width = DecimalValue(resolution.width);
    record.height = DecimalValue(resolution.height);
  }
  return record;
}

ConfigurationReport ComposeConfigurationReport(const RegistryTarget &target) {
  ConfigurationReport report;
  Compose(report, " ROOT = ", SixteenBitValue(target.rootCode), "\n SUBKEY = ", target.subkey, " \n VALUENAMEX = ",
          target.valueNameX, " \n VALUENAMEY = ", target.valueNameY, " \n VALUETYPE = ",
          SixteenBitValue(target.valueTypeCode));
  return report;
}

}  // namespace launcher
