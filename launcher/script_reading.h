// The registry script read as the system's registry editor reads it: which form it has, and below which
// roots it creates, writes or deletes keys. The launcher decides from it whether the editor needs more
// than the player's own rights; the preview prints it.
#ifndef LAUNCHER_LAUNCHER_SCRIPT_READING_H
#define LAUNCHER_LAUNCHER_SCRIPT_READING_H

#include <string_view>

namespace launcher {

enum class ScriptForm : unsigned char {
  kMissing,        // no file at that path
  kUnreadable,     // there, but it cannot be opened or read
  kNotAScript,     // the editor refuses it: its first line is no header the editor knows
  kIgnoredHeader,  // "REGEDIT" and more ("REGEDIT 4", "REGEDIT5"): taken, but nothing of it is imported
  kWindows31,      // "REGEDIT": lines "HKEY_CLASSES_ROOT\... = value"
  kRegedit4,       // "REGEDIT4"
  kVersion5,       // "Windows Registry Editor Version 5.00"
};

// The roots a key line can name, one bit each; kOtherRoot stands for a key line whose root the editor
// does not know (it then imports nothing there).
enum ScriptRootBit : unsigned {
  kLocalMachineBit = 1u << 0,
  kUsersBit = 1u << 1,
  kClassesRootBit = 1u << 2,
  kCurrentConfigBit = 1u << 3,
  kCurrentUserBit = 1u << 4,
  kDynDataBit = 1u << 5,
  kOtherRootBit = 1u << 6,
  // Below HKEY_CURRENT_USER, but in one of its two policy trees (Software\Policies and
  // Software\Microsoft\Windows\CurrentVersion\Policies), which only administrators may write; or the
  // deletion of a key above one, HKEY_CURRENT_USER itself included, which deletes the tree with it.
  kCurrentUserPolicyBit = 1u << 7,
};

struct ScriptRootName {
  std::string_view name;
  unsigned bit;
};

// The roots the editor knows, by their full names (it takes no abbreviations), in the order printed.
inline constexpr ScriptRootName kScriptRoots[] = {
    {"HKEY_LOCAL_MACHINE", kLocalMachineBit}, {"HKEY_USERS", kUsersBit},
    {"HKEY_CLASSES_ROOT", kClassesRootBit},   {"HKEY_CURRENT_CONFIG", kCurrentConfigBit},
    {"HKEY_CURRENT_USER", kCurrentUserBit},   {"HKEY_DYN_DATA", kDynDataBit},
};

struct ScriptReading {
  ScriptForm form = ScriptForm::kMissing;
  unsigned roots = 0;  // ScriptRootBit of every key line, deletions included; of the 3.1 form's lines
  // A NUL byte (in UTF-16, a NUL unit) stops the reading: editors end a line there and go on in ways
  // that differ, so what follows it cannot be told.
  bool nulByte = false;
  // The file begins with UTF-8's byte-order mark, which Windows' editor takes and Wine's refuses.
  bool utf8ByteOrderMark = false;
  // A key's or a value's name holds a byte above 127 in a script read as single bytes (every form but
  // UTF-16): the editor reads it in the player's ANSI code page, so it names what the publisher meant
  // only for players with the publisher's code page.
  bool nonAsciiName = false;
};

// Reads the whole file, in parts of a fixed size however long it is: single bytes (the ANSI code page), or
// UTF-16LE after its byte-order mark.
ScriptReading ReadRegistryScript(const char *path);

// Whether the editor must keep the rights it asks for: every case but a missing script, or one of the two
// current forms, read to its end, whose key lines are all below HKEY_CURRENT_USER, the player's own hive,
// outside its policy trees.
bool NeedsAdministratorRights(const ScriptReading &reading);

// Whether the editor imports anything of it.
inline bool IsImported(ScriptForm form) {
  return form == ScriptForm::kWindows31 || form == ScriptForm::kRegedit4 || form == ScriptForm::kVersion5;
}

}  // namespace launcher

#endif
