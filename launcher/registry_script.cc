#include "launcher/registry_script.h"

#include <string_view>

#include "launcher/script_reading.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace launcher {
namespace {

bool Fits(unsigned long length) { return length != 0 && length < kSystemFolderCapacity; }

// The system's registry editor, where the program search finds it among the system folders: the system
// directory when it holds one (for a 32-bit launcher on 64-bit Windows that is the 32-bit system folder,
// as the search sees it), else the Windows directory. Never a program of that name in the game folder or
// the current directory, which the search would look in first. False when neither folder can be read.
bool FindRegistryEditor(RegistryEditorPath &path) {
  SystemFolder folder;
  if (Fits(PlatformGetSystemDirectory(folder.bytes.data(), kSystemFolderCapacity))) {
    Compose(path, folder, kRegistryEditor);
    if (PlatformIsFile(CString(path))) return true;
  }
  folder = SystemFolder{};
  if (!Fits(PlatformGetWindowsDirectory(folder.bytes.data(), kSystemFolderCapacity))) return false;
  Compose(path, folder, kRegistryEditor);
  return true;
}

}  // namespace

ScriptImport PlanScriptImport(const WorkingDirectory &workingDirectory) {
  ScriptImport import;
  import.editorFound = FindRegistryEditor(import.editor);
  if (!import.editorFound) return import;

  import.directory = workingDirectory;
  Compose(import.script, workingDirectory, kRegistryScript);
  // regedit splits its command line at white space, so such a path must be quoted to stay whole.
  if (View(workingDirectory).find_first_of(" \t") != std::string_view::npos) {
    Compose(import.parameters, kImportSwitch, kQuote, import.script, kQuote);
  } else {
    Compose(import.parameters, kImportSwitch, import.script);
  }
  // The player's own rights do for a script that only writes the player's own hive; anything else keeps the
  // rights the editor asks for. A script changed after this reading can only lose rights this way.
  import.reading = ReadRegistryScript(CString(import.script));
  import.rights = NeedsAdministratorRights(import.reading) ? EditorRights::kAsked : EditorRights::kInvoker;
  return import;
}

}  // namespace launcher
