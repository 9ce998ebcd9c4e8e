// The one rule for project names, applied wherever a name comes in: the
// name card (new project), "Save as" and files given on the command line.
// A project name becomes "<name>.vto", "<name>.vtw" and "<name>.xml" in
// "defs", and is shown in the "Open" menu and the title, so it must stay
// inside that folder, be visible in a listing and be printable.
#pragma once

#include <string>
#include <string_view>

#include "kit/app/SupportDefs.h"

inline constexpr size_t kProjectNameMinBytes = 4;
inline constexpr size_t kProjectNameMaxBytes = 79;

// 4 to 79 bytes, no '/', no leading '.', no control characters.
bool ProjectNameIsValid(std::string_view name);

// The alert text for a name that fails the rule.
std::string ProjectNameRefusal(std::string_view name);
