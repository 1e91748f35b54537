#include "display/resolution.h"

#include "platform/platform.h"
#include "settings/settings.h"

namespace launcher {
namespace {

bool ConfiguredResolutionApplies() {
  if (ReadSettingInt(kCheck1) != 0) return true;
  const int qnores = ReadSettingInt(kQnores);
  const int customQuality = ReadSettingInt(kCustomQuality);
  return qnores == customQuality;
}

}  // namespace

Resolution ChooseResolution() {
  Resolution resolution{};
  PlatformReadScreenSize(resolution.width, resolution.height);
  if (ConfiguredResolutionApplies()) {
    resolution.width = ReadSettingInt(kQnoresX);
    resolution.height = ReadSettingInt(kQnoresY);
  }
  return resolution;
}

}  // namespace launcher
