// What the preview reads of the registry script: whether the registry editor takes it, and whether it
// writes or deletes anything below the roots that only an administrator can change.
#ifndef LAUNCHER_PREVIEW_SCRIPT_ROOTS_H
#define LAUNCHER_PREVIEW_SCRIPT_ROOTS_H

namespace launcher::preview {

struct ScriptRoots {
  bool readable = false;      // "REGEDIT4", or "Windows Registry Editor Version 5.00", on its first line
  bool localMachine = false;  // a key below HKEY_LOCAL_MACHINE
  bool classesRoot = false;   // a key below HKEY_CLASSES_ROOT, which for an administrator is written there
};

// Reads the script in the forms the editor takes: "REGEDIT4" or "Windows Registry Editor Version 5.00" on
// its first line, in single bytes (the ANSI code page, or UTF-8 with or without its byte-order mark) or in
// UTF-16LE after its byte-order mark. A key line ("[ROOT\...]", or "[-ROOT\...]" to delete) names its
// root in full.
ScriptRoots ReadScriptRoots(const char *path);

}  // namespace launcher::preview

#endif
