#include "shell/ProjectNameCheck.h"

bool ProjectNameIsValid(std::string_view name)
{
    if (name.size() < kProjectNameMinBytes || name.size() > kProjectNameMaxBytes)
        return false;
    if (name.front() == '.')
        return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '/' || byte < 0x20 || byte == 0x7f)
            return false;
    }
    return true;
}

std::string ProjectNameRefusal(std::string_view name)
{
    std::string shown;
    // The refused name may hold control characters; the alert shows them
    // as '?' so the text stays readable.
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte < 0x20 || byte == 0x7f ? '?' : c;
    }
    return "'" + shown +
           "' cannot be a project name.\n"
           "Use 4 to 79 characters, no '/',\nno '.' at the start.";
}
