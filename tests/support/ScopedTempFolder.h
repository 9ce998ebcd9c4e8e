// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/FileContents.h"

class ScopedTempFolder
{
public:
    ScopedTempFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrel-test-XXXXXX").string();
        fPath = mkdtemp(pattern.data());
    }
    // Tests may take the rights away from files in it.
    ~ScopedTempFolder()
    {
        namespace fs = std::filesystem;
        std::error_code ignored;
        for (auto& entry : fs::recursive_directory_iterator(fPath, ignored))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::permissions(fPath, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(fPath, ignored);
    }

    ScopedTempFolder(const ScopedTempFolder&) = delete;
    ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;

    std::string operator/(const std::string& name) const { return (fPath / name).string(); }
    const std::filesystem::path& Path() const { return fPath; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(fPath / name, std::ios::binary) << bytes;
    }

    std::string Read(const std::string& name) const { return ReadWholeFile(fPath / name); }

    // The names in the folder, to see that no temporary file stayed behind.
    int CountFiles() const
    {
        return (int)std::distance(std::filesystem::directory_iterator(fPath),
                                  std::filesystem::directory_iterator());
    }

private:
    std::filesystem::path fPath;
};
