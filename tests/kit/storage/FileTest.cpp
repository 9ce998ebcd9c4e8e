#include "kit/storage/File.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "kit/storage/SafeFile.h"
#include "support/ScopedTempFolder.h"

TEST(File, OpenModesCreateEraseAndRefuse)
{
    ScopedTempFolder folder;
    std::string path = folder / "a.txt";

    EXPECT_EQ(BFile(path.c_str(), B_READ_ONLY).InitCheck(), B_ENTRY_NOT_FOUND);

    BFile created(path.c_str(), B_WRITE_ONLY | B_CREATE_FILE);
    ASSERT_EQ(created.InitCheck(), B_OK);
    EXPECT_EQ(created.Write("hello", 5), 5);
    created.Unset();

    EXPECT_EQ(BFile(path.c_str(), B_WRITE_ONLY | B_FAIL_IF_EXISTS).InitCheck(), B_FILE_EXISTS);
    EXPECT_EQ(folder.Read("a.txt"), "hello");

    BFile appending(path.c_str(), B_WRITE_ONLY | B_OPEN_AT_END);
    EXPECT_EQ(appending.Write("!", 1), 1);
    appending.Unset();
    EXPECT_EQ(folder.Read("a.txt"), "hello!");

    BFile erased(path.c_str(), B_READ_WRITE | B_ERASE_FILE);
    off_t size = -1;
    EXPECT_EQ(erased.GetSize(&size), B_OK);
    EXPECT_EQ(size, 0);

    EXPECT_EQ(BFile(folder.Path().c_str(), B_READ_ONLY).InitCheck(), B_IS_A_DIRECTORY);
}

TEST(File, AccessModeIsEnforced)
{
    ScopedTempFolder folder;
    folder.Write("r", "data");
    BFile reader((folder / "r").c_str(), B_READ_ONLY);
    EXPECT_TRUE(reader.IsReadable());
    EXPECT_FALSE(reader.IsWritable());
    EXPECT_LT(reader.Write("x", 1), 0);

    BFile writer((folder / "r").c_str(), B_WRITE_ONLY);
    char byte;
    EXPECT_LT(writer.Read(&byte, 1), 0);
    EXPECT_EQ(folder.Read("r"), "data");
}

TEST(File, PositionsAndSizes)
{
    ScopedTempFolder folder;
    BFile file((folder / "p").c_str(), B_READ_WRITE | B_CREATE_FILE);
    ASSERT_EQ(file.Write("0123456789", 10), 10);
    EXPECT_EQ(file.Position(), 10);

    EXPECT_EQ(file.Seek(-4, SEEK_END), 6);
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 4);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 0);

    // ReadAt and WriteAt leave the position alone.
    EXPECT_EQ(file.WriteAt(2, "ab", 2), 2);
    EXPECT_EQ(file.ReadAt(1, buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "1ab");
    EXPECT_EQ(file.Position(), 10);

    EXPECT_EQ(file.SetSize(3), B_OK);
    off_t size = 0;
    EXPECT_EQ(file.GetSize(&size), B_OK);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(file.Seek(-1, SEEK_SET), B_BAD_VALUE);

    BFile unset;
    EXPECT_EQ(unset.Read(buffer, 1), B_NO_INIT);
}

TEST(SafeFile, CommitReplacesTheTargetWhole)
{
    ScopedTempFolder folder;
    folder.Write("t", "old contents");
    chmod((folder / "t").c_str(), 0640);
    {
        BSafeFile file((folder / "t").c_str());
        ASSERT_EQ(file.InitCheck(), B_OK);
        EXPECT_EQ(file.Write("new", 3), 3);
        // Until the commit, the old file is what others see.
        EXPECT_EQ(folder.Read("t"), "old contents");
        EXPECT_EQ(file.Commit(), B_OK);
    }
    EXPECT_EQ(folder.Read("t"), "new");
    EXPECT_EQ(folder.CountFiles(), 1);
    struct stat info;
    ASSERT_EQ(stat((folder / "t").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(SafeFile, WithoutCommitNothingChangesAndNothingStays)
{
    ScopedTempFolder folder;
    folder.Write("t", "old");
    {
        BSafeFile file((folder / "t").c_str());
        file.Write("partial", 7);
    }
    EXPECT_EQ(folder.Read("t"), "old");
    EXPECT_EQ(folder.CountFiles(), 1);

    {
        BSafeFile fresh((folder / "new").c_str());
        fresh.Write("x", 1);
    }
    EXPECT_EQ(folder.CountFiles(), 1);
}

TEST(SafeFile, UnwritablePlacesFailWithoutTrace)
{
    ScopedTempFolder folder;
    EXPECT_EQ(BSafeFile((folder / "missing/t").c_str()).InitCheck(), B_ENTRY_NOT_FOUND);

    folder.Write("plain", "x");
    EXPECT_NE(BSafeFile((folder / "plain/t").c_str()).InitCheck(), B_OK);

    // A folder in the way fails at the rename, and the new bytes go.
    std::filesystem::create_directory(folder.Path() / "dir");
    BSafeFile overFolder((folder / "dir").c_str());
    ASSERT_EQ(overFolder.InitCheck(), B_OK);
    overFolder.Write("x", 1);
    EXPECT_NE(overFolder.Commit(), B_OK);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "dir"));
    EXPECT_EQ(folder.CountFiles(), 2);

    if (geteuid() != 0) {
        folder.Write("ro/keep", "kept");
        chmod((folder / "ro").c_str(), 0555);
        EXPECT_EQ(BSafeFile((folder / "ro/keep").c_str()).InitCheck(), B_PERMISSION_DENIED);
        chmod((folder / "ro").c_str(), 0755);
        EXPECT_EQ(folder.Read("ro/keep"), "kept");
    }
}
