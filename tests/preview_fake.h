// Fixed answers for the preview's own reads (the settings files as a whole, from the platform double's
// settings; the display adapter) and its output kept as text, for the preview's unit tests. The launcher's
// reads are the platform double's (tests/platform_fake.h).
#ifndef LAUNCHER_TESTS_PREVIEW_FAKE_H
#define LAUNCHER_TESTS_PREVIEW_FAKE_H

#include <string>

#include "tests/platform_fake.h"

namespace launcher {

struct PreviewAnswers {
  std::string displayDeviceId = "PCI\\VEN_10DE&DEV_1C82&SUBSYS_00000000&REV_A1";
  std::string output;
};

PreviewAnswers &Answers();

}  // namespace launcher

#endif
