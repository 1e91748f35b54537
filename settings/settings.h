// The launcher's settings: the two INI files beside it, every key it reads, and the two accessors
// through which every value is read. This table is the one place that names them.
#ifndef LAUNCHER_SETTINGS_H
#define LAUNCHER_SETTINGS_H

#include <cstddef>

#include "platform/platform.h"
#include "platform/text.h"

namespace launcher {

// Relative on purpose: the profile functions resolve them against the current directory.
inline constexpr char kGameSettingsFile[] = ".\\KQgameset.ini";
inline constexpr char kPlaySettingsFile[] = ".\\KQgameplay.ini";

// Capacities of text values count the terminating zero.
inline constexpr std::size_t kSubkeyCapacity = 400;
inline constexpr std::size_t kValueNameCapacity = 200;
inline constexpr std::size_t kGameTextCapacity = 400;
inline constexpr std::size_t kVendorIdCapacity = 10;

struct IntegerSetting {
  const char *file;
  const char *section;
  const char *key;
  int fallback;  // the value when the file, the section or the key is absent
};

// A text value, empty when absent; it is read into a Text of its capacity.
template <std::size_t Capacity>
struct TextSetting {
  const char *file;  // none for the detection file, whose name the date gives
  const char *section;
  const char *key;
};

//                                       file               section   key              default
inline constexpr IntegerSetting kCheck1{kPlaySettingsFile, "ExtSet", "check1", 0};
inline constexpr IntegerSetting kQnores{kGameSettingsFile, "BV", "qnores", 255};
inline constexpr IntegerSetting kCustomQuality{kPlaySettingsFile, "ExtSet", "customquality", 255};
inline constexpr IntegerSetting kQnoresX{kGameSettingsFile, "BV", "qnoresX", 800};
inline constexpr IntegerSetting kQnoresY{kGameSettingsFile, "BV", "qnoresY", 800};
inline constexpr IntegerSetting kRoot{kGameSettingsFile, "REGSET", "ROOT", 0};
inline constexpr IntegerSetting kValueType{kGameSettingsFile, "REGSET", "VALUETYPE", 0};
inline constexpr IntegerSetting kRadioState{kPlaySettingsFile, "ExtSet", "radiostate", 3};

//                                                        file               section   key
inline constexpr TextSetting<kSubkeyCapacity> kSubkey{kGameSettingsFile, "REGSET", "SUBKEY"};
inline constexpr TextSetting<kValueNameCapacity> kValueNameX{kGameSettingsFile, "REGSET", "VALUENAMEX"};
inline constexpr TextSetting<kValueNameCapacity> kValueNameY{kGameSettingsFile, "REGSET", "VALUENAMEY"};
inline constexpr TextSetting<kGameTextCapacity> kGameExec{kGameSettingsFile, "game", "GameExec"};
inline constexpr TextSetting<kGameTextCapacity> kGameExecPath{kGameSettingsFile, "game", "GameExecPath"};
inline constexpr TextSetting<kGameTextCapacity> kPara{kGameSettingsFile, "game", "Para"};
inline constexpr TextSetting<kVendorIdCapacity> kVendorId{nullptr, "last", "VENID"};

// Where a key lives, whatever its kind.
struct SettingName {
  const char *file;
  const char *section;
  const char *key;
};

template <typename Setting>
constexpr SettingName NameOf(const Setting &setting) {
  return {setting.file, setting.section, setting.key};
}

// Every key of the two settings files, in the order above: for what looks at a file as a whole rather
// than key by key (the preview, which tells the launcher's names from the game's own).
inline constexpr SettingName kSettingsFileKeys[] = {
    NameOf(kCheck1),      NameOf(kQnores),      NameOf(kCustomQuality), NameOf(kQnoresX),   NameOf(kQnoresY),
    NameOf(kRoot),        NameOf(kValueType),   NameOf(kRadioState),    NameOf(kSubkey),    NameOf(kValueNameX),
    NameOf(kValueNameY),  NameOf(kGameExec),    NameOf(kGameExecPath),  NameOf(kPara),
};

// The key's integer value, or the setting's default when the file, the section or the key is absent.
int ReadSettingInt(const IntegerSetting &setting);

// The key's text from the given file, cut to Capacity - 1 characters, or the empty text when the file,
// the section or the key is absent.
template <std::size_t Capacity>
Text<Capacity> ReadSettingString(const char *file, const TextSetting<Capacity> &setting) {
  Text<Capacity> field;
  PlatformReadProfileString(file, setting.section, setting.key, field.bytes.data(), Capacity);
  field.bytes[Capacity - 1] = '\0';
  return field;
}

// The same from the setting's own file.
template <std::size_t Capacity>
Text<Capacity> ReadSettingString(const TextSetting<Capacity> &setting) {
  return ReadSettingString(setting.file, setting);
}

}  // namespace launcher

#endif
