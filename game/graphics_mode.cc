#include "game/graphics_mode.h"

#include "settings/settings.h"

namespace launcher {

DetectionFilePath ChooseGameParameters(const WorkingDirectory &workingDirectory, GameParameters &parameters) {
  const auto mode = static_cast<GraphicsMode>(static_cast<std::uint16_t>(ReadSettingInt(kRadioState)));
  const LocalDate today = PlatformReadLocalDate();
  DetectionFilePath detectionFile;

  if (mode == GraphicsMode::kAutomatic) {
    detectionFile = ComposeDetectionFilePath(workingDirectory, today);
    const auto vendor = ReadSettingString(CString(detectionFile), kVendorId);
    if (ChoosesOpenGl(View(vendor))) Compose(parameters, kOpenGlSwitch);
  } else if (mode == GraphicsMode::kOpenGl) {
    Compose(parameters, kOpenGlSwitch);
  }
  return detectionFile;
}

void RemoveDetectionFile(const DetectionFilePath &detectionFile) {
  if (!IsEmpty(detectionFile)) PlatformDeleteFile(CString(detectionFile));
}

}  // namespace launcher
