// The graphics mode: whether the game gets "-opengl" instead of its own parameters, forced by radiostate
// or chosen by the vendor named in the detection file of the day.
#ifndef LAUNCHER_GAME_GRAPHICS_MODE_H
#define LAUNCHER_GAME_GRAPHICS_MODE_H

#include <cstdint>
#include <string_view>

#include "game/game_launch.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace launcher {

inline constexpr char kOpenGlSwitch[] = "-opengl";
inline constexpr std::string_view kNvidiaVendorId = "0x10DE";
inline constexpr char kDetectionFileExtension[] = ".ini";

// Whether the vendor a detection file names makes the automatic mode choose "-opengl": exactly NVIDIA's.
inline bool ChoosesOpenGl(std::string_view vendor) { return vendor == kNvidiaVendorId; }

// radiostate, by its low 16 bits; any other value keeps Para.
enum class GraphicsMode : std::uint16_t { kAutomatic = 1, kOpenGl = 2 };

// "<directory>\<year><day><month>.ini", the date's numbers in decimal; empty when no file is named.
using DetectionFilePath =
    ComposedText<WorkingDirectory, decltype(kPathSeparator), int, int, int, decltype(kDetectionFileExtension)>;

// The detection file of the day. The order is year, day, month, as the program that writes the file
// names it: 31 October 2012 gives 20123110.ini. Here in the header, so that the companion, which writes
// that file, needs nothing else of the launcher's graphics mode.
inline DetectionFilePath ComposeDetectionFilePath(const WorkingDirectory &directory, LocalDate date) {
  DetectionFilePath path;
  Compose(path, directory, kPathSeparator, date.year, date.day, date.month, kDetectionFileExtension);
  return path;
}

using VendorText = Text<kVendorIdCapacity>;

// The graphics mode as the run settles it.
struct GraphicsChoice {
  GraphicsMode mode;                // radiostate, by its low 16 bits
  DetectionFilePath detectionFile;  // the file consulted in the automatic mode, else empty
  VendorText vendor;                // its VENID
  bool openGl;                      // the game gets "-opengl" in place of Para
};

// Settles the game's parameters: "-opengl" in place of them when the mode says so.
GraphicsChoice ChooseGameParameters(const WorkingDirectory &workingDirectory, GameParameters &parameters);

// Deletes the detection file, when one was named, whether or not it exists.
void RemoveDetectionFile(const DetectionFilePath &detectionFile);

}  // namespace launcher

#endif
