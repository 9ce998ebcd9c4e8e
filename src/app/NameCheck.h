// The one check for names the user types that become file names: projects,
// templates, snapshots. A name it passes is one ProjectFilePath takes too.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Bytes, not characters: the file system counts bytes. The worker and order
// lists refuse project names shorter than four.
inline constexpr size_t kTypedNameMin = 4;
inline constexpr size_t kTypedNameMax = 79;

// Why the name cannot be used, as a sentence for an alert; nothing when it
// can. Refused: fewer than kTypedNameMin or more than kTypedNameMax bytes,
// a '/', a leading '.', "..", and control characters (NUL included).
std::optional<std::string> TypedNameRefusal(std::string_view name);
