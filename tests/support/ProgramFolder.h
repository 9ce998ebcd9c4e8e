// A private program folder for one test: "defs", "templates" and "icons" in
// a fresh temporary folder, path2app pointing into it, the settings folder
// (XDG_CONFIG_HOME) inside it, the settings at their defaults and the clock
// pinned. Everything is put back and removed afterwards, and list objects
// that the test created are destroyed first.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "app/Globals.h"
#include "app/Settings.h"
#include "calendar/Clock.h"

class ProgramFolder
{
public:
    explicit ProgramFolder(int year = 2002, int month = 12, int day = 9) : fClock(year, month, day)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrel-test-XXXXXX").string();
        fRoot = mkdtemp(pattern.data());
        for (const char* folder : {kDefsFolder, kTemplatesFolder, kIconsFolder})
            std::filesystem::create_directory(fRoot / folder);
        std::filesystem::create_directory(fRoot / "config");
        fOldPath = path2app;
        path2app = (fRoot / "vantrel").string();
        if (const char* old = getenv("XDG_CONFIG_HOME"))
            fOldConfig = old;
        setenv("XDG_CONFIG_HOME", (fRoot / "config").c_str(), 1);
        ResetSettings();
    }

    ~ProgramFolder()
    {
        ResetSettings();
        path2app = fOldPath;
        if (fOldConfig)
            setenv("XDG_CONFIG_HOME", fOldConfig->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        std::error_code ignored;
        for (auto& entry : std::filesystem::recursive_directory_iterator(fRoot, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::permissions(fRoot, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(fRoot, ignored);
    }

    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& Root() const { return fRoot; }
    // A path below the program folder: Path("defs/plan.vto").
    std::string Path(const std::string& relative) const { return (fRoot / relative).string(); }

    void Write(const std::string& relative, const std::string& bytes) const
    {
        std::ofstream(fRoot / relative, std::ios::binary) << bytes;
    }

    std::string Read(const std::string& relative) const
    {
        std::ifstream in(fRoot / relative, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    bool Exists(const std::string& relative) const
    {
        return std::filesystem::exists(fRoot / relative);
    }

    // Names in a folder, to see that no temporary file stayed behind.
    int CountFiles(const std::string& relative) const
    {
        std::error_code ignored;
        int count = 0;
        for (auto it = std::filesystem::directory_iterator(fRoot / relative, ignored);
             it != std::filesystem::directory_iterator(); ++it)
            count++;
        return count;
    }

private:
    ClockPin fClock;
    std::filesystem::path fRoot;
    std::string fOldPath;
    std::optional<std::string> fOldConfig;
};
