#include "BenchProject.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "app/Globals.h"
#include "app/Settings.h"
#include "data/STHolidays.h"
#include "data/STOrder.h"
#include "data/STWorker.h"

namespace {

class Folders
{
public:
    ~Folders()
    {
        std::error_code ignored;
        for (const auto& [size, root] : fRoots)
            std::filesystem::remove_all(root, ignored);
    }

    const std::string& ForSize(int sizeIndex)
    {
        static const ProjectSize kSizes[] = {kSmallProject, kMediumProject, kLargeProject};
        auto found = fRoots.find(sizeIndex);
        if (found != fRoots.end())
            return found->second;
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrel-bench-XXXXXX").string();
        const std::string root = mkdtemp(pattern.data());
        if (!GenerateProject(root, kBenchProject, kSizes[sizeIndex]))
            fprintf(stderr, "cannot write the project into %s\n", root.c_str());
        return fRoots[sizeIndex] = root;
    }

private:
    std::map<int, std::string> fRoots;
};

} // namespace

const std::string& GeneratedFolder(int sizeIndex)
{
    static Folders folders;
    return folders.ForSize(sizeIndex);
}

QuietStdout::QuietStdout()
{
    fflush(stdout);
    fSaved = dup(STDOUT_FILENO);
    FILE* null = fopen("/dev/null", "w");
    dup2(fileno(null), STDOUT_FILENO);
    fclose(null);
}

QuietStdout::~QuietStdout()
{
    fflush(stdout);
    dup2(fSaved, STDOUT_FILENO);
    close(fSaved);
}

void OpenBenchProject(const std::string& root, const char* project)
{
    path2app = root + "/vantrel";
    prefsdata |= VTa_USE_HOLIDAY;
    DEFS_ORD_IO = project;
    DEFS_WKO_IO = project;
    STHolidays::getSTHolidays();
    STWorker::getSTWorker();
    STOrder::getSTOrder();
}

void CloseBenchProject()
{
    if (STOrder* orders = STOrder::Existing())
        orders->DeleteMe();
    if (STWorker* workers = STWorker::Existing())
        workers->DeleteMe();
    if (STHolidays* holidays = STHolidays::Existing())
        holidays->DeleteMe();
}
