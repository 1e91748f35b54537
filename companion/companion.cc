#include "companion/companion.h"

#include <cstddef>

#include "companion/companion_platform.h"
#include "companion/vendor_id.h"
#include "game/graphics_mode.h"
#include "launcher/working_directory.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace launcher {
namespace {

// Takes the section and key of the launcher's VENID setting, so that both programs name the key from one
// table, and the launcher's reading limit, which the value must fit.
template <std::size_t Capacity>
void WriteVendorSetting(const DetectionFilePath &file, const TextSetting<Capacity> &setting, const VendorValue &value) {
  static_assert(sizeof value.bytes <= Capacity, "the launcher reads the vendor in full");
  CompanionWriteProfileString(CString(file), setting.section, setting.key, CString(value));
}

// winerror.h's ERROR_ELEVATION_REQUIRED: CreateProcessW's answer for a program that must run elevated.
constexpr unsigned long kErrorElevationRequired = 740;
// winerror.h's ERROR_CANCELLED: ShellExecuteExW's answer when the player declines the consent prompt.
constexpr unsigned long kErrorCancelled = 1223;

// Today's detection file, when the primary adapter names a PCI vendor and the working directory is a game
// folder; nothing otherwise. A shortcut without "Start in" leaves the companion in some other folder, a
// profile or the system's, where a file of the game has no business; the launcher then reports its empty
// settings there. True, with its path, when it was written.
bool WriteDetectionFile(DetectionFilePath &file) {
  const DeviceId deviceId = CompanionReadPrimaryDisplayDeviceId();
  VendorValue vendor;
  if (!ExtractVendorId(deviceId, vendor) || !PlatformIsFile(kGameSettingsFile)) return false;

  const WorkingDirectory workingDirectory = ReadWorkingDirectory();
  file = ComposeDetectionFilePath(workingDirectory, PlatformReadLocalDate());
  WriteVendorSetting(file, kVendorId, vendor);
  return true;
}

}  // namespace

int RunCompanion() {
  DetectionFilePath file;
  const bool wrote = WriteDetectionFile(file);
  if (CompanionStartLauncher() != kErrorElevationRequired || CompanionRunsElevated()) return 0;
  // A launcher.exe that must run elevated (its "Run this program as an administrator" ticked, say), which
  // CreateProcessW does not start. Elevated, it reads its file in the folder itself, never from the
  // player's VirtualStore, where a 32-bit companion's file lands in a folder the player cannot write; a
  // 64-bit one writes nothing there. So the companion starts itself again elevated, with the one consent
  // prompt there is, to write the file there and start the launcher, and takes back the copy it wrote.
  if (wrote) PlatformDeleteFile(CString(file));
  const unsigned long error = CompanionRestartElevated();
  // The player's own "No" needs no word; any other failure (a drive that the elevated program does not
  // see, say) is said.
  if (error != 0 && error != kErrorCancelled) CompanionShowStartFailure(error);
  return 0;
}

}  // namespace launcher
