// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class ScopedTempFolder
{
public:
    ScopedTempFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrel-kit-XXXXXX").string();
        fPath = mkdtemp(pattern.data());
    }
    ~ScopedTempFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(fPath, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(fPath, ignored);
    }

    std::string operator/(const std::string& name) const { return (fPath / name).string(); }
    const std::filesystem::path& Path() const { return fPath; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(fPath / name, std::ios::binary) << bytes;
    }

    std::string Read(const std::string& name) const
    {
        std::ifstream in(fPath / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The names in the folder, to see that no temporary file stayed behind.
    int CountFiles() const
    {
        return (int)std::distance(std::filesystem::directory_iterator(fPath),
                                  std::filesystem::directory_iterator());
    }

private:
    std::filesystem::path fPath;
};
