// The resolution's record in the registry, under the key and value names of the REGSET section, and the
// configuration report shown when that section is incomplete.
#ifndef LAUNCHER_DISPLAY_REGISTRY_RECORD_H
#define LAUNCHER_DISPLAY_REGISTRY_RECORD_H

#include <array>
#include <cstdint>

#include "display/resolution.h"
#include "platform/text.h"
#include "settings/settings.h"

namespace launcher {

// ROOT and VALUETYPE count by their low 16 bits only: 65537 acts as 1, 65536 as 0 (not set). A code
// may hold any 16-bit value; only these have a meaning.
enum class RootCode : std::uint16_t { kNotSet = 0, kLocalMachine = 1, kCurrentUser = 2 };
enum class ValueTypeCode : std::uint16_t { kNotSet = 0, kDword = 1, kDecimalText = 2 };

// The code a ROOT or VALUETYPE value stands for: its low 16 bits.
template <typename Code>
constexpr Code CodeOf(int value) {
  return static_cast<Code>(static_cast<std::uint16_t>(value));
}

// Whether a complete target with that code is recorded: a root whose key is opened, a value type that is
// written. Any other code is passed over without a word.
constexpr bool Records(RootCode code) { return code == RootCode::kLocalMachine || code == RootCode::kCurrentUser; }
constexpr bool Records(ValueTypeCode code) {
  return code == ValueTypeCode::kDword || code == ValueTypeCode::kDecimalText;
}

struct RegistryTarget {
  RootCode rootCode;
  Text<kSubkeyCapacity> subkey;
  Text<kValueNameCapacity> valueNameX;
  Text<kValueNameCapacity> valueNameY;
  ValueTypeCode valueTypeCode;
};

// Reads the REGSET section; true when the target is complete enough to be written.
bool ReadRegistryTarget(RegistryTarget &target);

// One value of the record, as the registry gets it: a REG_DWORD's four bytes, or a decimal text zero-filled
// to 10 bytes (11 and 12 for the longest numbers, which are stored whole with one zero).
struct RecordValue {
  std::array<unsigned char, 12> data;
  unsigned long length;
};

// The record of a complete target: the key's root and the two values, exactly as written.
struct ResolutionRecord {
  bool opensKey;     // a root it records under; any other code writes nothing
  RegistryRoot root;
  bool writesValues;  // a value type it records as; any other code leaves the key opened but empty
  RegistryValueType type;
  RecordValue width;
  RecordValue height;
};

ResolutionRecord PlanResolutionRecord(const RegistryTarget &target, Resolution resolution);

// Opens (and creates) the key and writes width and height as REG_DWORD or decimal REG_SZ, as planned.
void WriteResolutionRecord(const RegistryTarget &target, Resolution resolution);

// The configuration report's text: the REGSET values as read.
using ConfigurationReport =
    ComposedText<decltype(" ROOT = "), std::uint16_t, decltype("\n SUBKEY = "), Text<kSubkeyCapacity>,
                 decltype(" \n VALUENAMEX = "), Text<kValueNameCapacity>, decltype(" \n VALUENAMEY = "),
                 Text<kValueNameCapacity>, decltype(" \n VALUETYPE = "), std::uint16_t>;
ConfigurationReport ComposeConfigurationReport(const RegistryTarget &target);

// The message box with that text; returns when the user dismisses it.
void ShowConfigurationReport(const RegistryTarget &target);

}  // namespace launcher

#endif
