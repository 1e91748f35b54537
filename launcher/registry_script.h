// The registry script that ships beside the game, imported before anything else happens.
#ifndef LAUNCHER_REGISTRY_SCRIPT_H
#define LAUNCHER_REGISTRY_SCRIPT_H

#include "launcher/script_reading.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace launcher {

inline constexpr char kImportSwitch[] = "/s ";
inline constexpr char kRegistryScript[] = "\\CONF\\TMPFILE.TXT";

inline constexpr char kRegistryEditor[] = "\\REGEDIT.EXE";
inline constexpr char kQuote[] = "\"";

// <working directory>\CONF\TMPFILE.TXT, whole.
using RegistryScriptPath = ComposedText<WorkingDirectory, decltype(kRegistryScript)>;
using RegistryEditorPath = ComposedText<SystemFolder, decltype(kRegistryEditor)>;
using ImportParameters =
    ComposedText<decltype(kImportSwitch), decltype(kQuote), RegistryScriptPath, decltype(kQuote)>;

// The import as the run decides it, before anything is started.
struct ScriptImport {
  bool editorFound = false;  // neither system folder could be read: nothing is started
  RegistryEditorPath editor;
  RegistryScriptPath script;
  ImportParameters parameters;  // "/s" and the script's path, in quotes when it holds white space
  WorkingDirectory directory;   // where the editor starts
  ScriptReading reading;        // the script as the editor will read it, which chose the rights
  EditorRights rights = EditorRights::kInvoker;
};

// The system registry editor, by its full path, on CONF\TMPFILE.TXT below the working directory. With the
// player's own rights when the script is missing or writes only below HKEY_CURRENT_USER, outside its policy
// trees; else with those the editor asks for.
ScriptImport PlanScriptImport(const WorkingDirectory &workingDirectory);

// Starts that import, without waiting for it.
void StartScriptImport(const ScriptImport &import);

}  // namespace launcher

#endif
