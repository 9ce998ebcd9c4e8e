#include "kit/storage/Path.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <set>
#include <string>

#include "kit/storage/Directory.h"
#include "kit/storage/Entry.h"
#include "kit/storage/File.h"
#include "support/ScopedTempFolder.h"

TEST(Path, TextIsMadeAbsoluteAndClean)
{
    struct
    {
        const char* path;
        const char* leaf;
        const char* expected;
    } cases[] = {
        {"/a/b", nullptr, "/a/b"},
        {"/a//b/", nullptr, "/a/b"},
        {"/a/./b/../c", nullptr, "/a/c"},
        {"/..", nullptr, "/"},
        {"/", nullptr, "/"},
        {"/a", "b/c", "/a/b/c"},
        {"/a", "../x", "/x"},
        {"/a b/c;d", "it's", "/a b/c;d/it's"},
    };
    for (const auto& each : cases) {
        BPath path(each.path, each.leaf);
        ASSERT_EQ(path.InitCheck(), B_OK) << each.path;
        EXPECT_STREQ(path.Path(), each.expected) << each.path;
    }

    char* current = getcwd(nullptr, 0);
    EXPECT_EQ(std::string(BPath("x/y").Path()), std::string(current) + "/x/y");
    free(current);
}

TEST(Path, BadInputAndParts)
{
    EXPECT_EQ(BPath((const char*)nullptr).InitCheck(), B_BAD_VALUE);
    EXPECT_EQ(BPath("").InitCheck(), B_BAD_VALUE);
    EXPECT_EQ(BPath("/a", "/b").InitCheck(), B_BAD_VALUE);
    EXPECT_EQ(BPath().Path(), nullptr);

    BPath path("/usr/share/file.txt");
    EXPECT_STREQ(path.Leaf(), "file.txt");
    BPath parent;
    ASSERT_EQ(path.GetParent(&parent), B_OK);
    EXPECT_STREQ(parent.Path(), "/usr/share");
    ASSERT_EQ(BPath("/usr").GetParent(&parent), B_OK);
    EXPECT_STREQ(parent.Path(), "/");
    EXPECT_EQ(parent.GetParent(&parent), B_ENTRY_NOT_FOUND);
    EXPECT_STREQ(BPath("/").Leaf(), "");

    ASSERT_EQ(path.Append("more"), B_OK);
    EXPECT_STREQ(path.Path(), "/usr/share/file.txt/more");
    // Setting a path to its own text must not read freed memory.
    ASSERT_EQ(path.SetTo(path.Path(), path.Leaf()), B_OK);
    EXPECT_STREQ(path.Path(), "/usr/share/file.txt/more/more");
}

TEST(Entry, DescribesWhatIsThere)
{
    ScopedTempFolder folder;
    folder.Write("file", "x");
    std::filesystem::create_directory(folder.Path() / "sub");
    std::filesystem::create_symlink(folder / "file", folder.Path() / "link");

    BEntry file((folder / "file").c_str());
    EXPECT_TRUE(file.Exists() && file.IsFile());
    EXPECT_TRUE(BEntry((folder / "sub").c_str()).IsDirectory());
    EXPECT_TRUE(BEntry((folder / "link").c_str()).IsSymLink());

    BEntry followed((folder / "link").c_str(), true);
    BPath target;
    ASSERT_EQ(followed.GetPath(&target), B_OK);
    EXPECT_STREQ(target.Leaf(), "file");

    // A name that does not exist yet is a valid entry; a missing folder is not.
    BEntry absent((folder / "absent").c_str());
    EXPECT_EQ(absent.InitCheck(), B_OK);
    EXPECT_FALSE(absent.Exists());
    EXPECT_EQ(BEntry((folder / "nope/absent").c_str()).InitCheck(), B_ENTRY_NOT_FOUND);

    char name[B_FILE_NAME_LENGTH];
    ASSERT_EQ(file.GetName(name), B_OK);
    EXPECT_STREQ(name, "file");
    entry_ref ref;
    ASSERT_EQ(file.GetRef(&ref), B_OK);
    EXPECT_EQ(ref.path, folder / "file");
    BEntry parent;
    ASSERT_EQ(file.GetParent(&parent), B_OK);
    EXPECT_TRUE(parent.IsDirectory());
}

TEST(Entry, RenameAndRemove)
{
    ScopedTempFolder folder;
    folder.Write("a", "A");
    folder.Write("b", "B");

    BEntry entry((folder / "a").c_str());
    EXPECT_EQ(entry.Rename("b"), B_FILE_EXISTS);
    EXPECT_EQ(entry.Rename("../escape"), B_BAD_VALUE);
    ASSERT_EQ(entry.Rename("b", true), B_OK);
    EXPECT_EQ(folder.Read("b"), "A");
    char name[B_FILE_NAME_LENGTH];
    entry.GetName(name);
    EXPECT_STREQ(name, "b");

    ASSERT_EQ(entry.Remove(), B_OK);
    EXPECT_FALSE(entry.Exists());
    EXPECT_EQ(folder.CountFiles(), 0);
}

TEST(Directory, ListsEveryEntryOnce)
{
    ScopedTempFolder folder;
    for (const char* name : {"one", "two", "three"})
        folder.Write(name, name);
    std::filesystem::create_directory(folder.Path() / "sub");

    BDirectory directory(folder.Path().c_str());
    ASSERT_EQ(directory.InitCheck(), B_OK);
    EXPECT_EQ(directory.CountEntries(), 4);

    std::set<std::string> seen;
    BEntry entry;
    while (directory.GetNextEntry(&entry) == B_OK) {
        char name[B_FILE_NAME_LENGTH];
        entry.GetName(name);
        EXPECT_TRUE(seen.insert(name).second) << name;
    }
    EXPECT_EQ(seen, (std::set<std::string>{"one", "two", "three", "sub"}));
    EXPECT_EQ(entry.InitCheck(), B_NO_INIT);

    ASSERT_EQ(directory.Rewind(), B_OK);
    entry_ref ref;
    int count = 0;
    while (directory.GetNextRef(&ref) == B_OK)
        count++;
    EXPECT_EQ(count, 4);

    EXPECT_TRUE(directory.Contains("sub"));
    EXPECT_FALSE(directory.Contains("four"));
    EXPECT_EQ(BDirectory((folder / "one").c_str()).InitCheck(), B_NOT_A_DIRECTORY);
    EXPECT_EQ(BDirectory((folder / "none").c_str()).InitCheck(), B_ENTRY_NOT_FOUND);
}

TEST(Directory, CreatesFoldersAndFiles)
{
    ScopedTempFolder folder;
    BDirectory directory(folder.Path().c_str());

    BDirectory made;
    ASSERT_EQ(directory.CreateDirectory("defs", &made), B_OK);
    EXPECT_EQ(made.InitCheck(), B_OK);
    EXPECT_EQ(directory.CreateDirectory("defs", nullptr), B_FILE_EXISTS);

    BFile file;
    ASSERT_EQ(made.CreateFile("plan.vto", &file), B_OK);
    EXPECT_EQ(file.Write("x", 1), 1);
    EXPECT_EQ(made.CreateFile("plan.vto", nullptr, true), B_FILE_EXISTS);

    EXPECT_EQ(create_directory((folder / "a/b/c").c_str(), 0755), B_OK);
    EXPECT_EQ(create_directory((folder / "a/b/c").c_str(), 0755), B_OK);
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "a/b/c"));
    EXPECT_EQ(create_directory((folder / "defs/plan.vto").c_str(), 0755), B_NOT_A_DIRECTORY);
    EXPECT_EQ(create_directory((folder / "defs/plan.vto/x").c_str(), 0755), B_NOT_A_DIRECTORY);
}
