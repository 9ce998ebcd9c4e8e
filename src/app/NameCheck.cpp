#include "app/NameCheck.h"

#include <algorithm>

#include "app/Paths.h"

static_assert(kTypedNameMax <= kProjectNameMax, "a checked name must fit a project's file name");

std::optional<std::string> TypedNameRefusal(std::string_view name)
{
    if (name.size() < kTypedNameMin || name.size() > kTypedNameMax)
        return "A name needs " + std::to_string(kTypedNameMin) + " to " +
               std::to_string(kTypedNameMax) + " bytes; this one has " +
               std::to_string(name.size()) + ".";
    if (name.find('/') != name.npos)
        return std::string("A name cannot hold a '/'.");
    if (name.front() == '.')
        return std::string("A name cannot begin with a '.'.");
    // Left in, ".." would read as the folder above wherever the name goes.
    if (name.find("..") != name.npos)
        return std::string("A name cannot hold \"..\".");
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
    if (control)
        return std::string("A name cannot hold tabs, line ends or other control characters.");
    return std::nullopt;
}
