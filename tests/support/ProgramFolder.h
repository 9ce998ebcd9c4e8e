// A private program folder for one test: "defs", "templates" and "icons" in
// a fresh temporary folder, path2app pointing into it, the settings folder
// (XDG_CONFIG_HOME) inside it, the settings at their defaults and the clock
// pinned. Everything is put back and removed afterwards, and list objects
// that the test created are destroyed first.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "app/Globals.h"
#include "app/Settings.h"
#include "calendar/Clock.h"
#include "support/FileContents.h"
#include "support/ScopedTempFolder.h"

class ProgramFolder
{
public:
    explicit ProgramFolder(int year = 2002, int month = 12, int day = 9) : fClock(year, month, day)
    {
        for (const char* folder : {kDefsFolder, kTemplatesFolder, kIconsFolder})
            std::filesystem::create_directory(Root() / folder);
        std::filesystem::create_directory(Root() / "config");
        fOldPath = path2app;
        path2app = (Root() / "vantrel").string();
        if (const char* old = getenv("XDG_CONFIG_HOME"))
            fOldConfig = old;
        setenv("XDG_CONFIG_HOME", (Root() / "config").c_str(), 1);
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
    }

    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& Root() const { return fFolder.Path(); }
    // A path below the program folder: Path("defs/plan.vto").
    std::string Path(const std::string& relative) const { return (Root() / relative).string(); }

    void Write(const std::string& relative, const std::string& bytes) const
    {
        std::ofstream(Root() / relative, std::ios::binary) << bytes;
    }

    std::string Read(const std::string& relative) const { return ReadWholeFile(Root() / relative); }

    bool Exists(const std::string& relative) const
    {
        return std::filesystem::exists(Root() / relative);
    }

    // Names in a folder, to see that no temporary file stayed behind.
    int CountFiles(const std::string& relative) const
    {
        std::error_code ignored;
        int count = 0;
        for (auto it = std::filesystem::directory_iterator(Root() / relative, ignored);
             it != std::filesystem::directory_iterator(); ++it)
            count++;
        return count;
    }

private:
    ClockPin fClock;
    ScopedTempFolder fFolder;
    std::string fOldPath;
    std::optional<std::string> fOldConfig;
};
