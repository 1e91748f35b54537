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

// Today's detection file, when the primary adapter names a PCI vendor and the working directory is a game
// folder; nothing otherwise. A shortcut without "Start in" leaves the companion in some other folder, a
// profile or the system's, where a file of the game has no business; the launcher then reports its empty
// settings there.
void WriteDetectionFile() {
  const DeviceId deviceId = CompanionReadPrimaryDisplayDeviceId();
  VendorValue vendor;
  if (!ExtractVendorId(deviceId, vendor) || !PlatformIsFile(kGameSettingsFile)) return;

  const WorkingDirectory workingDirectory = ReadWorkingDirectory();
  WriteVendorSetting(ComposeDetectionFilePath(workingDirectory, PlatformReadLocalDate()), kVendorId, vendor);
}

}  // namespace

int RunCompanion() {
  WriteDetectionFile();
  // A player who set launcher.exe to run as an administrator gets the consent prompt Windows then shows,
  // where CreateProcessW alone starts nothing.
  if (CompanionStartLauncher() == kErrorElevationRequired) CompanionStartLauncherThroughShell();
  return 0;
}

}  // namespace launcher
