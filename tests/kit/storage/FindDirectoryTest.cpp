#include "kit/storage/FindDirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "kit/storage/Path.h"
#include "kit/storage/StorageDefs.h"
#include "support/ScopedTempFolder.h"

namespace {

// Sets or clears an environment variable for one test.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value) : fName(name)
    {
        if (const char* old = getenv(name))
            fOld = old;
        value != nullptr ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { fOld ? setenv(fName, fOld->c_str(), 1) : unsetenv(fName); }

private:
    const char* fName;
    std::optional<std::string> fOld;
};

} // namespace

TEST(FindDirectory, SettingsFollowXdgConfigHomeWhenAbsolute)
{
    ScopedTempFolder folder;
    ScopedEnv home("HOME", folder.Path().c_str());

    std::string config = folder / "xdg";
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", config.c_str());
        BPath path;
        ASSERT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, &path), B_OK);
        EXPECT_EQ(path.Path(), config);
        EXPECT_FALSE(std::filesystem::exists(config));
    }
    for (const char* ignored : {"relative/dir", "", static_cast<const char*>(nullptr)}) {
        ScopedEnv xdg("XDG_CONFIG_HOME", ignored);
        BPath path;
        ASSERT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, &path), B_OK);
        EXPECT_EQ(path.Path(), folder / ".config");
    }
}

TEST(FindDirectory, CreatesTheFolderWhenAsked)
{
    ScopedTempFolder folder;
    ScopedEnv home("HOME", folder.Path().c_str());
    ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);

    BPath path;
    ASSERT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, &path, true), B_OK);
    struct stat info;
    ASSERT_EQ(stat(path.Path(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    // A file where the folder should be cannot be made into one.
    ScopedEnv blocked("XDG_CONFIG_HOME", (folder / "file").c_str());
    folder.Write("file", "x");
    EXPECT_EQ(find_directory(B_USER_SETTINGS_DIRECTORY, &path, true), B_NOT_A_DIRECTORY);
    EXPECT_EQ(path.InitCheck(), B_NO_INIT);
}

TEST(FindDirectory, HomeAndTemp)
{
    {
        ScopedEnv home("HOME", nullptr);
        BPath path;
        // The password database stands in for a missing $HOME.
        ASSERT_EQ(find_directory(B_USER_DIRECTORY, &path), B_OK);
        EXPECT_EQ(path.Path()[0], '/');
    }
    {
        ScopedEnv temp("TMPDIR", "/var/tmp");
        BPath path;
        ASSERT_EQ(find_directory(B_SYSTEM_TEMP_DIRECTORY, &path), B_OK);
        EXPECT_STREQ(path.Path(), "/var/tmp");
    }
    ScopedEnv temp("TMPDIR", nullptr);
    BPath path;
    ASSERT_EQ(find_directory(B_SYSTEM_TEMP_DIRECTORY, &path), B_OK);
    EXPECT_STREQ(path.Path(), "/tmp");
    EXPECT_EQ(find_directory((directory_which)12345, &path), B_BAD_VALUE);
    EXPECT_EQ(find_directory(B_USER_DIRECTORY, nullptr), B_BAD_VALUE);
}
