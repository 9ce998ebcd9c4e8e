// What the project benchmarks share: generated program folders (one per
// size, removed at exit), a quiet standard output, and opening and closing
// a project the way the application does.
#pragma once

#include <string>

#include "ProjectGenerator.h"

// The project name every generated folder holds.
inline constexpr const char* kBenchProject = "benchplan";

// 0: 20 x 200, 1: 100 x 2,000, 2: 300 x 10,000; generated on first use.
const std::string& GeneratedFolder(int sizeIndex);

// The lists print a few lines each; keep them out of the figures.
class QuietStdout
{
public:
    QuietStdout();
    ~QuietStdout();
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int fSaved;
};

// Points the program at root and makes the holiday, worker and order lists
// (loading both files and checking every order), holidays read.
void OpenBenchProject(const std::string& root, const char* project = kBenchProject);
void CloseBenchProject();
