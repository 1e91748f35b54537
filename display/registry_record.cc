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

void WriteDwordValue(RegistryKey key, const Text<kValueNameCapacity> &name, int number) {
  const auto bits = static_cast<std::uint32_t>(number);
  const std::array<unsigned char, 4> data = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                             static_cast<unsigned char>(bits >> 16),
                                             static_cast<unsigned char>(bits >> 24)};
  PlatformSetRegistryValue(key, CString(name), RegistryValueType::kDword, data.data(), data.size());
}

// The decimal text zero-filled to 10 bytes. A text of 10 or 11 characters would not fit that with its
// terminating zero; it is stored whole with one zero after it rather than cut to a wrong number.
void WriteDecimalValue(RegistryKey key, const Text<kValueNameCapacity> &name, int number) {
  const auto text = Composed(number);
  static_assert(sizeof text.bytes >= kDecimalValueLength, "the layout's zeros lie within the text");
  const std::size_t length = Length(text) < kDecimalValueLength ? kDecimalValueLength : Length(text) + 1;
  PlatformSetRegistryValue(key, CString(name), RegistryValueType::kString,
                           reinterpret_cast<const unsigned char *>(text.bytes.data()), length);
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

void WriteResolutionRecord(const RegistryTarget &target, Resolution resolution) {
  if (!Records(target.rootCode)) return;
  RegistryKey key = PlatformCreateRegistryKey(
      target.rootCode == RootCode::kLocalMachine ? RegistryRoot::kLocalMachine : RegistryRoot::kCurrentUser,
      CString(target.subkey));
  if (target.valueTypeCode == ValueTypeCode::kDword) {
    WriteDwordValue(key, target.valueNameX, resolution.width);
    WriteDwordValue(key, target.valueNameY, resolution.height);
  } else if (target.valueTypeCode == ValueTypeCode::kDecimalText) {
    WriteDecimalValue(key, target.valueNameX, resolution.width);
    WriteDecimalValue(key, target.valueNameY, resolution.height);
  }
}

void ShowConfigurationReport(const RegistryTarget &target) {
  const auto report = Composed(" ROOT = ", SixteenBitValue(target.rootCode), "\n SUBKEY = ", target.subkey,
                               " \n VALUENAMEX = ", target.valueNameX, " \n VALUENAMEY = ", target.valueNameY,
                               " \n VALUETYPE = ", SixteenBitValue(target.valueTypeCode));
  PlatformShowMessage(CString(report));
}

}  // namespace launcher
