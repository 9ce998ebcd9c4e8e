#include "app/Paths.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "kit/app/Application.h"
#include "kit/app/ProgramLauncher.h"
#include "support/ScopedTempFolder.h"
#include "support/WaitUntil.h"

namespace fs = std::filesystem;

namespace {

// From the thread's line in /proc: 'S' while it waits for a lock.
bool ThreadSleepsOrIsGone(pid_t thread)
{
    std::ifstream stat("/proc/self/task/" + std::to_string(thread) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return true;
    const size_t name = line.rfind(')');
    return name == std::string::npos || line.substr(name + 2, 1) == "S";
}

} // namespace

TEST(BuildPath, CutsBaseAfterLastSlashAndJoinsParts)
{
    EXPECT_EQ(BuildPath("/apps/x/prog", "defs", "plan", ".vto"), "/apps/x/defs/plan.vto");
    EXPECT_EQ(BuildPath("/apps/x/prog", "templates"), "/apps/x/templates/");
    EXPECT_EQ(BuildPath("/apps/x/prog", nullptr, "holiday", ".vth"), "/apps/x/holiday.vth");
    EXPECT_EQ(BuildPath("/apps/x/prog"), "/apps/x/");
    EXPECT_EQ(BuildPath("/prog", "defs"), "/defs/");
    EXPECT_EQ(BuildPath(std::string("/a b/c;d/prog"), "defs", "it's"), "/a b/c;d/defs/it's");
}

TEST(BuildPath, BaseWithoutSlashIsUsedWholeAndReported)
{
    testing::internal::CaptureStdout();
    std::string path = BuildPath("prog", "defs", "plan", ".vto");
    std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(path, "progdefs/plan.vto");
    EXPECT_EQ(said, " [prog] [4] [/] not found! \n");
}

TEST(BuildPath, LongNamesAreNotCut)
{
    std::string name(5000, 'n');
    EXPECT_EQ(BuildPath("/p/prog", "defs", name.c_str(), ".vto"), "/p/defs/" + name + ".vto");
}

TEST(FileTests, IfExistWantsAReadableFileNotAFolder)
{
    ScopedTempFolder folder;
    folder.Write("plan.vto", "x");
    fs::create_directory(folder.Path() / "sub.vto");
    EXPECT_TRUE(IfExist((folder.Path() / "plan.vto").c_str()));
    EXPECT_FALSE(IfExist((folder.Path() / "none.vto").c_str()));
    EXPECT_FALSE(IfExist((folder.Path() / "sub.vto").c_str()));
    EXPECT_FALSE(IfExist(nullptr));
}

TEST(FileTests, TypeComesFromTheFirstBytesNotTheName)
{
    ScopedTempFolder folder;
    folder.Write("photo.txt", std::string("\xff\xd8\xff\xe0rest", 8));
    folder.Write("back.jpg", "plain text");
    folder.Write("pic", std::string("\x89PNG\r\n\x1a\n....", 12));
    folder.Write("anim", "GIF89a....");
    folder.Write("plan.xml", "<?xml version=\"1.0\"?>");
    folder.Write("short", "GI");
    auto at = [&](const char* name) { return (folder.Path() / name).string(); };

    EXPECT_TRUE(IsNodeTypeOk(at("photo.txt").c_str(), "image/"));
    EXPECT_EQ(SniffFileType(at("photo.txt").c_str()), "image/jpeg");
    EXPECT_FALSE(IsNodeTypeOk(at("back.jpg").c_str(), "image/"));
    EXPECT_EQ(SniffFileType(at("pic").c_str()), "image/png");
    EXPECT_EQ(SniffFileType(at("anim").c_str()), "image/gif");
    EXPECT_EQ(SniffFileType(at("plan.xml").c_str()), "text/xml");
    EXPECT_EQ(SniffFileType(at("short").c_str()), "application/octet-stream");
    EXPECT_FALSE(IsNodeTypeOk(at("missing").c_str(), "image/"));
    EXPECT_EQ(SniffFileType(at("missing").c_str()), "");
}

TEST(OpenFileWithTracker, HandsThePathOverAsOneArgument)
{
    std::vector<std::vector<std::string>> launched;
    ProgramLauncher::SetRecorder(
        [&](const std::vector<std::string>& argv) { launched.push_back(argv); });
    OpenFileWithTracker("/tmp/my plans/a\"b;rm -rf x.html", 1);
    OpenFileWithTracker("/tmp/report.txt", 0);
    OpenFileWithTracker(nullptr, 0);
    OpenFileWithTracker("-rf $(x).txt", 0);
    ProgramLauncher::SetRecorder(nullptr);

    ASSERT_EQ(launched.size(), 3u);
    EXPECT_EQ(launched[0],
              (std::vector<std::string>{"xdg-open", "/tmp/my plans/a\"b;rm -rf x.html"}));
    EXPECT_EQ(launched[1], (std::vector<std::string>{"xdg-open", "/tmp/report.txt"}));
    // Not an option to the opener: the same file, relative to here.
    EXPECT_EQ(launched[2], (std::vector<std::string>{"xdg-open", "./-rf $(x).txt"}));
}

TEST(ProgramLauncher, StartsARealProgramDetached)
{
    ScopedTempFolder folder;
    fs::path mark = folder.Path() / "started";
    ASSERT_EQ(ProgramLauncher::Launch({"touch", mark.string()}), B_OK);
    EXPECT_TRUE(WaitUntil([&] { return fs::exists(mark); }));
    EXPECT_NE(ProgramLauncher::Launch({"/nonexistent/program"}), B_OK);
    EXPECT_NE(ProgramLauncher::Launch({}), B_OK);
}

TEST(SortVerz, ListsMatchingRegularFilesCaseInsensitively)
{
    ScopedTempFolder folder;
    for (const char* name : {"B.otp", "a.otp", "C.otp", "x.txt", ".otp", "_z.otp", "b.otp.bak"})
        folder.Write(name, "x");
    fs::create_directory(folder.Path() / "d.otp");
    fs::create_symlink(folder.Path() / "a.otp", folder.Path() / "link.otp");

    std::vector<std::string> names;
    SortVerz(names, folder.Path().c_str(), ".otp", true);
    EXPECT_EQ(names, (std::vector<std::string>{"a", "B", "C", "_z"}));

    std::vector<std::string> full;
    SortVerz(full, folder.Path().c_str(), ".otp", false);
    EXPECT_EQ(full, (std::vector<std::string>{"a.otp", "B.otp", "C.otp", "_z.otp"}));
}

TEST(SortVerz, MissingFolderLeavesTheListEmpty)
{
    std::vector<std::string> names;
    SortVerz(names, "/nonexistent/folder", ".vto", true);
    SortVerz(names, nullptr, ".vto", true);
    EXPECT_TRUE(names.empty());
}

TEST(SortVerz, HoldsTheApplicationLockWhileReading)
{
    ScopedTempFolder folder;
    folder.Write("plan.vto", "x");
    // A new application is locked by the thread that made it, as any
    // looper before it runs; SortVerz on another thread has to wait.
    BApplication app("application/x-vnd.test-paths");
    ASSERT_TRUE(app.IsLocked());
    std::vector<std::string> names;
    std::atomic<pid_t> readerId{0};
    std::thread reader([&] {
        readerId = gettid();
        SortVerz(names, folder.Path().c_str(), ".vto", true);
    });
    // Asleep in the lock, or finished without waiting for it (the fault).
    EXPECT_TRUE(WaitUntil([&] { return readerId != 0 && ThreadSleepsOrIsGone(readerId); }));
    EXPECT_TRUE(names.empty());
    app.Unlock();
    reader.join();
    EXPECT_EQ(names, (std::vector<std::string>{"plan"}));
}

TEST(FindProgramPath, IsTheRealFileWhateverArgv0Says)
{
    std::string path = FindProgramPath("vantrel");
    EXPECT_EQ(path.front(), '/');
    EXPECT_TRUE(fs::equivalent(path, "/proc/self/exe"));
}
