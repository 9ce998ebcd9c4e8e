#include "kit/storage/SafeSave.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "kit/storage/SafeFile.h"
#include "support/ProgramFolder.h"

namespace {

struct FailNoMoreSteps
{
    ~FailNoMoreSteps() { BSafeFile::FailNthStep(0); }
};

std::string BigText()
{
    std::string text;
    while (text.size() < 3 * kSafeSavePiece + 100)
        text += "[IT][order " + std::to_string(text.size()) + "][x][y]\n";
    return text;
}

} // namespace

// Every step that can fail, failing in turn: the old file stays whole and no
// temporary file is left, until the save gets through.
TEST(SafeSaveTest, FailingAnyStepKeepsTheOldFile)
{
    ProgramFolder folder;
    FailNoMoreSteps cleanup;
    const std::string path = folder.Path("defs/plan.vto");
    folder.Write("defs/plan.vto", "old contents");
    const std::string text = BigText();

    int n = 1;
    for (; n < 50; n++) {
        BSafeFile::FailNthStep(n);
        if (SaveWholeFile(path, text))
            break;
        EXPECT_EQ(folder.Read("defs/plan.vto"), "old contents") << "step " << n;
        EXPECT_EQ(folder.CountFiles("defs"), 1) << "step " << n;
    }
    EXPECT_EQ(n, 7); // four pieces, fsync, rename, then success
    EXPECT_EQ(folder.Read("defs/plan.vto"), text);
    EXPECT_EQ(folder.CountFiles("defs"), 1);
}

TEST(SafeSaveTest, KeepsPermissionsAndRefusesImpossibleTargets)
{
    ProgramFolder folder;
    const std::string path = folder.Path("defs/plan.vtw");
    folder.Write("defs/plan.vtw", "old");
    chmod(path.c_str(), 0600);
    ASSERT_TRUE(SaveWholeFile(path, "new"));
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    // A name that is a folder, a missing folder.
    EXPECT_FALSE(SaveWholeFile(folder.Path("defs"), "x"));
    EXPECT_FALSE(SaveWholeFile(folder.Path("nowhere/plan.vto"), "x"));

    if (geteuid() != 0) { // root writes into read-only folders
        chmod(folder.Path("defs").c_str(), 0555);
        EXPECT_FALSE(SaveWholeFile(path, "newer"));
        chmod(folder.Path("defs").c_str(), 0755);
        EXPECT_EQ(folder.Read("defs/plan.vtw"), "new");
    }
    EXPECT_EQ(folder.CountFiles("defs"), 1);
}
