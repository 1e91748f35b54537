#include "display/resolution.h"

#include "platform/platform.h"
#include "settings/settings.h"

namespace launcher {
namespace {

ResolutionSource ConfiguredResolutionSource() {
  if (ReadSettingInt(kCheck1) != 0) return ResolutionSource::kCheck1;
  const int qnores = ReadSettingInt(kQnores);
  const int customQuality = ReadSettingInt(kCustomQuality);
  return qnores == customQuality ? ResolutionSource::kQualityMatch : ResolutionSource::kScreen;
}

}  // namespace

ResolutionChoice ChooseResolution() {
  ResolutionChoice choice{};
  PlatformReadScreenSize(choice.screen.width, choice.screen.height);
  choice.resolution = choice.screen;
  choice.source = ConfiguredResolutionSource();
  if (choice.source != ResolutionSource::kScreen) {
    choice.resolution.width = ReadSettingInt(kQnoresX);
    choice.resolution.height = ReadSettingInt(kQnoresY);
  }
  return choice;
}

}  // namespace launcher
