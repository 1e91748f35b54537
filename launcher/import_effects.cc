// The registry import's start, as the run decided it.
#include "launcher/registry_script.h"
#include "platform/platform.h"

namespace launcher {

void StartScriptImport(const ScriptImport &import) {
  if (!import.editorFound) return;
  PlatformStartRegistryEditor(CString(import.editor), CString(import.parameters), CString(import.directory),
                              import.rights);
}

}  // namespace launcher
