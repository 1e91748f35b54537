#include "display/resolution.h"

#include <stdbool.h>

#include "platform/platform.h"
#include "settings/settings.h"

static bool ConfiguredResolutionApplies(void) {
  if (ReadSettingInt(CHECK1_SETTING) != 0) return true;
  int qnores = ReadSettingInt(QNORES_SETTING);
  int customQuality = ReadSettingInt(CUSTOMQUALITY_SETTING);
  return qnores == customQuality;
}

Resolution ChooseResolution(void) {
  Resolution resolution;
  PlatformReadScreenSize(&resolution.width, &resolution.height);
  if (ConfiguredResolutionApplies()) {
    resolution.width = ReadSettingInt(QNORESX_SETTING);
    resolution.height = ReadSettingInt(QNORESY_SETTING);
  }
  return resolution;
}
