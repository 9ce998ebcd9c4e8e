// A reference to a file as it travels in messages ("refs" fields). Here it is
// just the path; the storage kit builds entries and paths from it.
#pragma once

#include <string>
#include <utility>

struct entry_ref
{
    std::string path;

    entry_ref() = default;
    explicit entry_ref(std::string filePath) : path(std::move(filePath)) {}

    bool operator==(const entry_ref& other) const = default;
};
