#include "launcher/registry_script.h"

#include <string_view>

#include "platform/platform.h"
#include "platform/text.h"

namespace launcher {
namespace {

constexpr char kRegistryEditor[] = "REGEDIT.EXE";
constexpr char kImportSwitch[] = "/s ";
constexpr char kRegistryScript[] = "\\CONF\\TMPFILE.TXT";
constexpr char kQuote[] = "\"";

using ImportParameters = ComposedText<decltype(kImportSwitch), decltype(kQuote), WorkingDirectory,
                                      decltype(kRegistryScript), decltype(kQuote)>;

}  // namespace

void ImportRegistryScript(const WorkingDirectory &workingDirectory) {
  ImportParameters parameters;
  // regedit splits its command line at white space, so such a path must be quoted to stay whole.
  if (View(workingDirectory).find_first_of(" \t") != std::string_view::npos) {
    Compose(parameters, kImportSwitch, kQuote, workingDirectory, kRegistryScript, kQuote);
  } else {
    Compose(parameters, kImportSwitch, workingDirectory, kRegistryScript);
  }
  PlatformStartProgram(kRegistryEditor, CString(parameters), CString(workingDirectory));
}

}  // namespace launcher
