// Whole files as strings, and the golden files that tests compare bytes
// against (tests/<folder>/golden/<name> in the source tree).
#pragma once

#include <fstream>
#include <iterator>
#include <string>

// Empty when the file cannot be read.
inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// GoldenFile("data", "holiday.vth") reads tests/data/golden/holiday.vth.
inline std::string GoldenFile(const std::string& folder, const std::string& name)
{
    return ReadWholeFile(std::string(VANTREL_SOURCE_DIR) + "/tests/" + folder + "/golden/" + name);
}
