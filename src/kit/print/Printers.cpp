#include "kit/print/Printers.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

extern char** environ;

namespace BPrivate {

namespace {

// More than any printer list; a runaway program is not read to the end.
constexpr size_t kMaxOutput = 1 << 20;

} // namespace

status_t capture_output(const std::vector<std::string>& argv, std::string* output)
{
    output->clear();
    if (argv.empty() || argv[0].empty())
        return B_BAD_VALUE;

    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);

    // Close-on-exec, so programs other threads start meanwhile do not
    // inherit the pipe and keep it open.
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return B_ERROR;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    pid_t pid = 0;
    int error = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (error != 0) {
        close(pipeEnds[0]);
        return B_ERROR;
    }

    char buffer[4096];
    for (;;) {
        ssize_t count = read(pipeEnds[0], buffer, sizeof(buffer));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        if (output->size() < kMaxOutput)
            output->append(buffer, std::min(size_t(count), kMaxOutput - output->size()));
    }
    close(pipeEnds[0]);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? B_OK : B_ERROR;
}

std::vector<std::string> parse_printer_list(const std::string& lpstatOutput)
{
    std::vector<std::string> printers;
    size_t start = 0;
    while (start < lpstatOutput.size()) {
        size_t end = lpstatOutput.find('\n', start);
        if (end == std::string::npos)
            end = lpstatOutput.size();
        std::string line = lpstatOutput.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line[0] == ' ' || line[0] == '\t')
            continue;
        std::string name = line.substr(0, line.find_first_of(" \t\r"));
        if (!name.empty())
            printers.push_back(name);
    }
    return printers;
}

std::vector<std::string> list_printers()
{
    std::string output;
    if (capture_output({"lpstat", "-a"}, &output) != B_OK)
        return {};
    return parse_printer_list(output);
}

} // namespace BPrivate
