// The resolution's record in the registry, under the key and value names of the REGSET section, and the
// configuration report shown when that section is incomplete.
#ifndef LAUNCHER_DISPLAY_REGISTRY_RECORD_H
#define LAUNCHER_DISPLAY_REGISTRY_RECORD_H

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

// Opens (and creates) the key and writes width and height as REG_DWORD or decimal REG_SZ. An unknown root
// writes nothing; an unknown value type leaves the key opened but empty.
void WriteResolutionRecord(const RegistryTarget &target, Resolution resolution);

// The message box that lists the REGSET values as read; returns when the user dismisses it.
void ShowConfigurationReport(const RegistryTarget &target);

}  // namespace launcher

#endif
