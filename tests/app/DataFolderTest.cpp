// Where the data lives: beside the program in the build tree, in the user's
// data folder once installed, seeded from the installed defaults without
// ever replacing what the user has.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "app/Paths.h"
#include "support/FileContents.h"
#include "support/ScopedTempFolder.h"

namespace fs = std::filesystem;

namespace {

struct ScopedEnvironment
{
    ScopedEnvironment(const char* name, const char* value) : fName(name)
    {
        if (const char* old = getenv(name))
            fOld = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (fOld)
            setenv(fName, fOld->c_str(), 1);
        else
            unsetenv(fName);
    }
    const char* fName;
    std::optional<std::string> fOld;
};

void Put(const fs::path& file, const std::string& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

// <root>/prefix/bin/vantrel with the defaults in <root>/prefix/share/vantrel.
std::string MakeInstalled(const ScopedTempFolder& root)
{
    const fs::path share = root.Path() / "prefix/share/vantrel";
    Put(share / "templates/language.html", "labels");
    Put(share / "templates/Weekly.wtp", "template");
    Put(share / "icons/Job.png", "job icon");
    Put(share / "defs/Demo.vto", "demo orders");
    Put(share / "defs/holiday.vth", "demo holidays");
    Put(root.Path() / "prefix/bin/vantrel", "program");
    return (root.Path() / "prefix/bin/vantrel").string();
}

} // namespace

TEST(DataFolder, UserFolderFollowsXdgDataHomeThenHome)
{
    struct Case
    {
        const char* xdg;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/data", "/home/p", "/data/vantrel"},
        {"relative/data", "/home/p", "/home/p/.local/share/vantrel"},
        {"", "/home/p", "/home/p/.local/share/vantrel"},
        {nullptr, "/home/p", "/home/p/.local/share/vantrel"},
        {nullptr, "", ""},
        {nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        ScopedEnvironment xdg("XDG_DATA_HOME", c.xdg);
        ScopedEnvironment home("HOME", c.home);
        EXPECT_EQ(UserDataFolder(), c.expected)
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

TEST(DataFolder, DefaultsAreFoundOnlyBesideABinFolder)
{
    ScopedTempFolder root;
    const std::string program = MakeInstalled(root);
    EXPECT_EQ(InstalledDefaultsFolder(program), (root.Path() / "prefix/share/vantrel").string());

    Put(root.Path() / "prefix/libexec/vantrel", "program");
    EXPECT_EQ(InstalledDefaultsFolder((root.Path() / "prefix/libexec/vantrel").string()), "");
    fs::remove_all(root.Path() / "prefix/share/vantrel/templates");
    EXPECT_EQ(InstalledDefaultsFolder(program), "");
}

TEST(DataFolder, TheBuildTreeKeepsItsDataBesideTheProgram)
{
    ScopedTempFolder root;
    fs::create_directories(root.Path() / "build/templates");
    const std::string program = (root.Path() / "build/vantrel").string();
    const std::string user = root / "user/vantrel";

    EXPECT_EQ(DataBasePath(program, user), program);
    EXPECT_FALSE(fs::exists(user));

    // A writable folder without templates and without installed defaults:
    // as before, beside the program.
    const std::string bare = (root.Path() / "bare/vantrel").string();
    fs::create_directories(root.Path() / "bare");
    EXPECT_EQ(DataBasePath(bare, user), bare);
    EXPECT_FALSE(fs::exists(user));
}

TEST(DataFolder, AnInstalledProgramSeedsTheUserFolderOnItsFirstStart)
{
    ScopedTempFolder root;
    const std::string program = MakeInstalled(root);
    const fs::path user = root.Path() / "user/vantrel";

    const std::string base = DataBasePath(program, user.string());
    EXPECT_EQ(base, (user / "vantrel").string());
    EXPECT_EQ(BuildPath(base, "defs", "Demo", ".vto"), (user / "defs/Demo.vto").string());
    for (const char* file : {"templates/language.html", "templates/Weekly.wtp", "icons/Job.png",
                             "defs/Demo.vto", "defs/holiday.vth"})
        EXPECT_EQ(ReadWholeFile((user / file).string()),
                  ReadWholeFile((root.Path() / "prefix/share/vantrel" / file).string()))
            << file;
}

TEST(DataFolder, SeedingNeverReplacesOrBringsBackTheUsersFiles)
{
    ScopedTempFolder root;
    const std::string program = MakeInstalled(root);
    const fs::path user = root.Path() / "user/vantrel";
    DataBasePath(program, user.string());

    Put(user / "defs/Demo.vto", "the user's orders");
    Put(user / "templates/language.html", "the user's labels");
    fs::remove(user / "defs/holiday.vth");
    fs::remove(user / "templates/Weekly.wtp");
    fs::remove(user / "icons/Job.png");

    EXPECT_TRUE(SeedDataFolder((root.Path() / "prefix/share/vantrel").string(), user.string()));
    EXPECT_EQ(ReadWholeFile((user / "defs/Demo.vto").string()), "the user's orders");
    EXPECT_EQ(ReadWholeFile((user / "templates/language.html").string()), "the user's labels");
    // Deleted on purpose, so it stays deleted; the icon the program needs
    // comes back.
    EXPECT_FALSE(fs::exists(user / "defs/holiday.vth"));
    EXPECT_FALSE(fs::exists(user / "templates/Weekly.wtp"));
    EXPECT_EQ(ReadWholeFile((user / "icons/Job.png").string()), "job icon");
}

TEST(DataFolder, AFolderWithOnlyTheAddressBookStillGetsTheDemo)
{
    ScopedTempFolder root;
    const std::string program = MakeInstalled(root);
    const fs::path user = root.Path() / "user/vantrel";
    Put(user / "people/someone.vcf", "card");

    DataBasePath(program, user.string());
    EXPECT_EQ(ReadWholeFile((user / "defs/Demo.vto").string()), "demo orders");
    EXPECT_EQ(ReadWholeFile((user / "people/someone.vcf").string()), "card");
}

TEST(DataFolder, LinksInTheDefaultsAreNotFollowed)
{
    ScopedTempFolder root;
    const std::string program = MakeInstalled(root);
    Put(root.Path() / "secret", "not for the user folder");
    fs::create_symlink(root.Path() / "secret", root.Path() / "prefix/share/vantrel/defs/x.vto");
    const fs::path user = root.Path() / "user/vantrel";

    DataBasePath(program, user.string());
    EXPECT_TRUE(fs::exists(user / "defs/Demo.vto"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(user / "defs/x.vto")));
}

TEST(DataFolder, AReadOnlyProgramFolderUsesTheUserFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write into any folder";
    ScopedTempFolder root;
    Put(root.Path() / "app/templates/language.html", "labels");
    Put(root.Path() / "app/vantrel", "program");
    chmod((root.Path() / "app").c_str(), 0555);
    const fs::path user = root.Path() / "user/vantrel";

    EXPECT_EQ(DataBasePath((root.Path() / "app/vantrel").string(), user.string()),
              (user / "vantrel").string());
    EXPECT_EQ(ReadWholeFile((user / "templates/language.html").string()), "labels");
    EXPECT_TRUE(fs::is_directory(user / "defs"));
}

TEST(DataFolder, AnUnmakeableUserFolderIsReported)
{
    ScopedTempFolder root;
    const std::string program = MakeInstalled(root);
    Put(root.Path() / "user", "a file where the folder should be");
    EXPECT_FALSE(SeedDataFolder((root.Path() / "prefix/share/vantrel").string(),
                                (root.Path() / "user/vantrel").string()));
}
