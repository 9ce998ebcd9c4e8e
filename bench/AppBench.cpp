// The program as a whole, medians of single runs:
// - BM_StartToDrawn: from exec of the real program (build/vantrel) with the
//   100 x 2,000 project's .vto file as argument until the main window has
//   drawn the project's bars, under X (DISPLAY, else an Xvfb of its own;
//   skipped without either): at most 0.1 s. The program reports "drawn"
//   through VANTREL_REPORT_DRAWN (planner/CalenderWin.cpp) on a pipe, and
//   is killed afterwards.
// - BM_OpenProject: 'OPEN' posted to the application with the 300 x 10,000
//   project until every window is idle with the bars built and drawn (the
//   two editors open with the project too), in-process on the headless
//   backend: at most 0.3 s. The project is closed ('X_OW') between runs.
// - BM_QuitSaved: B_QUIT_REQUESTED posted to the application with the
//   100 x 2,000 project open and saved until the application's thread has
//   ended (the loop has returned and the application object is deleted) and
//   no window is still winding down, in process on the headless backend: at
//   most 0.1 s.
// The program folders are the generated ones with the program's templates
// and icons (and for the first, a copy of the program) beside "defs", and
// settings of their own.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "BenchProject.h"
#include "app/Globals.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "kit/display/HeadlessDriver.h"
#include "planner/CalView.h"
#include "planner/CalenderWin.h"
#include "shell/ProgramWindows.h"
#include "shell/VTApp.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// In a forked child: fd becomes target and stays open across exec.
void KeepAs(int fd, int target)
{
    if (fd == target)
        fcntl(fd, F_SETFD, 0);
    else
        dup2(fd, target);
}

double Seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// Makes the generated project's folder a program folder: the program's
// templates and icons copied beside "defs", a settings folder, and with
// withProgram a copy of the program (it finds its folder through
// /proc/self/exe, so a link would not do).
const std::string& ProgramFolder(int sizeIndex, bool withProgram)
{
    const std::string& root = GeneratedFolder(sizeIndex);
    std::error_code ignored;
    for (const char* folder : {kTemplatesFolder, kIconsFolder}) {
        if (!fs::exists(fs::path(root) / folder))
            fs::copy(fs::path(VANTREL_BUILD_DIR) / folder, fs::path(root) / folder,
                     fs::copy_options::recursive, ignored);
    }
    fs::create_directories(fs::path(root) / "config", ignored);
    if (withProgram && !fs::exists(fs::path(root) / "vantrel"))
        fs::copy_file(VANTREL_PROGRAM, fs::path(root) / "vantrel", ignored);
    return root;
}

// MARK: The real program under X

// One line from fd without its newline; empty at EOF or after timeoutMs.
std::string ReadLine(int fd, int timeoutMs)
{
    std::string line;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return "";
        pollfd waiting{fd, POLLIN, 0};
        if (poll(&waiting, 1, int(left)) <= 0)
            continue;
        char c;
        if (read(fd, &c, 1) != 1)
            return "";
        if (c == '\n')
            return line;
        line += c;
    }
}

// An X server for the program: $DISPLAY, else a private Xvfb, stopped at
// exit. Empty when neither can be had.
class XServer
{
public:
    static XServer& Get()
    {
        static XServer server;
        return server;
    }

    ~XServer()
    {
        if (fPid > 0) {
            kill(fPid, SIGTERM);
            waitpid(fPid, nullptr, 0);
        }
    }

    const std::string& Display() const { return fDisplay; }
    const std::string& Why() const { return fWhy; }

private:
    XServer()
    {
        if (const char* display = getenv("DISPLAY"); display != nullptr && *display != '\0') {
            fDisplay = display;
            return;
        }
        int pipeFds[2];
        if (pipe2(pipeFds, O_CLOEXEC) != 0) {
            fWhy = "no pipe for Xvfb";
            return;
        }
        fPid = fork();
        if (fPid == 0) {
            KeepAs(pipeFds[1], 5);
            int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            execlp("Xvfb", "Xvfb", "-displayfd", "5", "-screen", "0", "1280x1024x24", "-nolisten",
                   "tcp", nullptr);
            _exit(127);
        }
        close(pipeFds[1]);
        const std::string number = ReadLine(pipeFds[0], 15'000);
        close(pipeFds[0]);
        if (number.empty()) {
            fWhy = "Xvfb is not installed or did not start";
            if (fPid > 0) {
                kill(fPid, SIGTERM);
                waitpid(fPid, nullptr, 0);
            }
            fPid = -1;
            return;
        }
        fDisplay = ":" + number;
    }

private:
    pid_t fPid = -1;
    std::string fDisplay;
    std::string fWhy;
};

void BM_StartToDrawn(benchmark::State& state)
{
    XServer& x = XServer::Get();
    if (x.Display().empty()) {
        state.SkipWithError(("no X server: " + x.Why()).c_str());
        return;
    }
    const std::string root = ProgramFolder(1, true);
    const std::string program = root + "/vantrel";
    const std::string project = root + "/defs/" + kBenchProject + ".vto";
    const std::string errors = root + "/errors.txt";
    for (auto _ : state) {
        int report[2];
        if (pipe2(report, O_CLOEXEC) != 0) {
            state.SkipWithError("no pipe");
            return;
        }
        // Made before the clock starts: what the child is given.
        const std::vector<std::string> environment = {
            "DISPLAY=" + x.Display(), "XDG_CONFIG_HOME=" + root + "/config",
            "VANTREL_BACKEND=sdl",    "VANTREL_REPORT_DRAWN=3",
            "HOME=" + root,           "PATH=/usr/bin:/bin"};
        std::vector<char*> envp;
        for (const std::string& entry : environment)
            envp.push_back(const_cast<char*>(entry.c_str()));
        envp.push_back(nullptr);
        char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(project.c_str()),
                        nullptr};

        const Clock::time_point start = Clock::now();
        const pid_t child = fork();
        if (child == 0) {
            KeepAs(report[1], 3);
            int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(err >= 0 ? err : null, STDERR_FILENO);
            chdir(root.c_str());
            execve(argv[0], argv, envp.data());
            _exit(127);
        }
        close(report[1]);
        const std::string line = ReadLine(report[0], 20'000);
        const double seconds = Seconds(start);
        close(report[0]);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        if (!line.starts_with("drawn ")) {
            state.SkipWithError(("the program reported no drawn bars; see " + errors).c_str());
            return;
        }
        state.SetIterationTime(seconds);
        state.counters["bars"] = std::stod(line.substr(6));
    }
}
BENCHMARK(BM_StartToDrawn)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// MARK: The application in process

// The application with the real windows on its own thread, as main() runs
// it, on the headless backend.
class RunningProgram
{
public:
    explicit RunningProgram(int sizeIndex)
    {
        const std::string root = ProgramFolder(sizeIndex, false);
        path2app = root + "/vantrel";
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        fThread = std::thread([this] {
            {
                ReadyApp app(*this);
                app.SetNameCardMaker(ShowProgramNameCard);
                app.Run();
            }
            std::lock_guard guard(fLock);
            fEnded = true;
            fChanged.notify_all();
        });
        std::unique_lock lock(fLock);
        fChanged.wait(lock, [this] { return fApp != nullptr; });
        lock.unlock();
        fDriver.WaitForIdle();
    }

    ~RunningProgram()
    {
        if (!fThread.joinable())
            return;
        QuietStdout quiet;
        Post(BMessage(B_QUIT_REQUESTED));
        WaitEnded();
    }

    void Post(BMessage message) { fApp->PostMessage(&message); }

    void WaitEnded()
    {
        std::unique_lock lock(fLock);
        fChanged.wait(lock, [this] { return fEnded; });
        lock.unlock();
        fThread.join();
    }

    // 'OPEN' as the "Open" menu sends it, then every window idle.
    void Open()
    {
        Post(OpenMessage());
        fDriver.WaitForIdle(30'000'000);
    }
    void Close()
    {
        Post(BMessage('X_OW'));
        fDriver.WaitForIdle(30'000'000);
    }

    static BMessage OpenMessage()
    {
        BMessage open('OPEN');
        open.AddString("open", kBenchProject);
        return open;
    }

    HeadlessDriver& Driver() { return fDriver; }

    // The bars of the main window; -1 without one.
    int32 Bars()
    {
        auto* window =
            dynamic_cast<CalenderWin*>(fDriver.FindWindow(CalenderWin::TitleFor(kBenchProject)));
        if (window == nullptr || !window->Lock())
            return -1;
        const int32 bars = window->Calendar()->CountBars();
        window->Unlock();
        return bars;
    }

    static bool Unsaved()
    {
        STOrder* orders = STOrder::Existing();
        STWorker* workers = STWorker::Existing();
        STHolidays* holidays = STHolidays::Existing();
        return (orders != nullptr && orders->Modified()) ||
               (workers != nullptr && workers->Modified()) ||
               (holidays != nullptr && holidays->Modified());
    }

private:
    class ReadyApp : public VTApp
    {
    public:
        explicit ReadyApp(RunningProgram& owner) : VTApp(MakeProgramWindows), fOwner(owner) {}
        void ReadyToRun() override
        {
            std::lock_guard guard(fOwner.fLock);
            fOwner.fApp = this;
            fOwner.fChanged.notify_all();
        }

    private:
        RunningProgram& fOwner;
    };

    HeadlessDriver fDriver;
    std::mutex fLock;
    std::condition_variable fChanged;
    VTApp* fApp = nullptr;
    bool fEnded = false;
    std::thread fThread;
};

// One application at a time.
std::unique_ptr<RunningProgram>& Running()
{
    static std::unique_ptr<RunningProgram> running;
    return running;
}

void BM_OpenProject(benchmark::State& state)
{
    QuietStdout quiet;
    Running().reset();
    Running() = std::make_unique<RunningProgram>(2);
    RunningProgram& program = *Running();
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        program.Open();
        const double seconds = Seconds(start);
        const int32 bars = program.Bars();
        program.Close();
        if (bars <= 0) {
            state.SkipWithError("the main window shows no bars after opening");
            break;
        }
        state.SetIterationTime(seconds);
        state.counters["bars"] = bars;
    }
    Running().reset();
}
BENCHMARK(BM_OpenProject)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_QuitSaved(benchmark::State& state)
{
    QuietStdout quiet;
    Running().reset();
    for (auto _ : state) {
        auto program = std::make_unique<RunningProgram>(1);
        program->Open();
        if (RunningProgram::Unsaved()) {
            program->Post(BMessage('S_DA'));
            program->Driver().WaitForIdle(30'000'000);
        }
        if (program->Bars() <= 0 || RunningProgram::Unsaved()) {
            state.SkipWithError("the project did not open saved");
            break;
        }
        const Clock::time_point start = Clock::now();
        program->Post(BMessage(B_QUIT_REQUESTED));
        program->WaitEnded();
        // The windows' threads wound down too.
        program->Driver().WaitForIdle();
        state.SetIterationTime(Seconds(start));
    }
}
BENCHMARK(BM_QuitSaved)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace
