#include "kit/app/ProgramLauncher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <thread>

extern char** environ;

std::mutex ProgramLauncher::sLock;
ProgramLauncher::Recorder ProgramLauncher::sRecorder;

status_t ProgramLauncher::Launch(const std::vector<std::string>& argv)
{
    if (argv.empty() || argv[0].empty())
        return B_BAD_VALUE;

    Recorder recorder;
    {
        std::lock_guard<std::mutex> guard(sLock);
        recorder = sRecorder;
    }
    if (recorder) {
        recorder(argv);
        return B_OK;
    }
    return _Spawn(argv);
}

void ProgramLauncher::SetRecorder(Recorder recorder)
{
    std::lock_guard<std::mutex> guard(sLock);
    sRecorder = std::move(recorder);
}

status_t ProgramLauncher::_Spawn(const std::vector<std::string>& argv)
{
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // A session of its own: the opened program outlives the planner and does
    // not receive the terminal's signals meant for it.
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);

    pid_t pid = 0;
    int error = posix_spawnp(&pid, args[0], nullptr, &attr, args.data(), environ);
    posix_spawnattr_destroy(&attr);
    if (error != 0) {
        printf("Launch: '%s' failed (%d)\n", args[0], error);
        return B_ERROR;
    }

    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return B_OK;
}
