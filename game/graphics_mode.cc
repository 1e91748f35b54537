#include "game/graphics_mode.h"

#include "settings/settings.h"

namespace launcher {

GraphicsChoice ChooseGameParameters(const WorkingDirectory &workingDirectory, GameParameters &parameters) {
  GraphicsChoice choice{};
  choice.mode = static_cast<GraphicsMode>(static_cast<std::uint16_t>(ReadSettingInt(kRadioState)));
  const LocalDate today = PlatformReadLocalDate();

  if (choice.mode == GraphicsMode::kAutomatic) {
    choice.detectionFile = ComposeDetectionFilePath(workingDirectory, today);
    choice.vendor = ReadSettingString(CString(choice.detectionFile), kVendorId);
    choice.openGl = ChoosesOpenGl(View(choice.vendor));
  } else {
    choice.openGl = choice.mode == GraphicsMode::kOpenGl;
  }
  if (choice.openGl) Compose(parameters, kOpenGlSwitch);
  return choice;
}

}  // namespace launcher
