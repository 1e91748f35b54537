// Names in a settings file that stand, likely, for one of the launcher's: a section or key name one or two
// letters from the launcher's own. The launcher's names are those of the settings table (settings.h).
#ifndef LAUNCHER_PREVIEW_NEAR_NAMES_H
#define LAUNCHER_PREVIEW_NEAR_NAMES_H

#include <string_view>

#include "platform/text.h"

namespace launcher::preview {

// A name one or two edits from one of the launcher's (13 characters at most) has at most 15.
using NearName = Text<16>;

// Whether the profile functions take the two for one name: they match names without regard to case.
bool SameName(std::string_view a, std::string_view b);

// How many edits (a letter added, dropped or replaced, two adjacent letters swapped) make one name of the
// other, case aside; 3 for three or more, found without looking further.
int Edits(std::string_view a, std::string_view b);

// The launcher's name nearest to `name`, within two edits, the first in the settings table of those as near:
// among its sections of that file (section: none), or among its keys of that section. "" when the name is the
// launcher's own, none when it is none of its.
const char *NearestName(const char *file, const char *section, std::string_view name);

}  // namespace launcher::preview

#endif
