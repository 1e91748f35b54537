#include "companion/companion.h"

#include "companion/companion_platform.h"
#include "companion/vendor_id.h"
#include "game/graphics_mode.h"
#include "launcher/working_directory.h"
#include "platform/platform.h"
#include "settings/settings.h"

_Static_assert((int)kVendorValueCapacity <= (int)kVendorIdCapacity, "the launcher reads the vendor in full");

/* Takes the file, section, key and capacity of the launcher's VENID setting, so that both programs name
 * the key from one table. The capacity is the launcher's reading limit, which the value fits (above). */
static void WriteVendorSetting(const char *file, const char *section, const char *key, unsigned long capacity,
                               const char *value) {
  (void)capacity;
  CompanionWriteProfileString(file, section, key, value);
}

int RunCompanion(void) {
  char deviceId[kDeviceIdCapacity];
  char vendor[kVendorValueCapacity];
  CompanionReadPrimaryDisplayDeviceId(deviceId);
  if (!ExtractVendorId(deviceId, vendor)) return 0;

  char workingDirectory[kWorkingDirectoryCapacity];
  char detectionFile[kDetectionFileCapacity];
  ReadWorkingDirectory(workingDirectory);
  ComposeDetectionFilePath(workingDirectory, PlatformReadLocalDate(), detectionFile);
  WriteVendorSetting(VENID_SETTING(detectionFile), vendor);
  return 0;
}
