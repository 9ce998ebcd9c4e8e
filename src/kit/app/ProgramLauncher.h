// Starts outside programs (the desktop's file opener) detached from the
// planner, with an argument vector and never through a shell, so paths with
// blanks, quotes or ';' reach the program as one argument.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "kit/app/SupportDefs.h"

class ProgramLauncher
{
public:
    typedef std::function<void(const std::vector<std::string>&)> Recorder;

    // Starts argv[0] (looked up in PATH) with the given arguments and returns
    // at once; the child is reaped in the background. B_OK when it started.
    static status_t Launch(const std::vector<std::string>& argv);

    // Tests and the headless backend record launches instead of starting
    // anything. An empty recorder restores real launching.
    static void SetRecorder(Recorder recorder);

private:
    static status_t _Spawn(const std::vector<std::string>& argv);

    static std::mutex sLock;
    static Recorder sRecorder;
};
