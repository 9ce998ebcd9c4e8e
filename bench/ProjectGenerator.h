// Writes realistic projects for the benchmarks: a holiday file, a worker
// file and an order file in the "defs" folder of a program folder, in the
// formats the program itself writes. The same seed gives the same project.
#pragma once

#include <cstdint>
#include <string>

struct ProjectSize
{
    int workers;
    int orders;
};

inline constexpr ProjectSize kSmallProject{20, 200};
inline constexpr ProjectSize kMediumProject{100, 2000};
inline constexpr ProjectSize kLargeProject{300, 10000};

// Writes <root>/defs/holiday.vth, <root>/defs/<name>.vtw and
// <root>/defs/<name>.vto (the folders are created). Dates are laid around
// the program's today (calendar/Clock.h). Returns false when a file could
// not be written.
bool GenerateProject(const std::string& root, const std::string& name, ProjectSize size,
                     uint32_t seed = 1);
