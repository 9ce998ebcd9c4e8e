#include "FuzzSupport.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/Globals.h"
#include "app/Settings.h"
#include "data/STOrder.h"
#include "data/STWorker.h"

const std::string& FuzzProgramFolder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/vantrel-fuzz-XXXXXX";
        std::string root = mkdtemp(pattern);
        mkdir((root + "/defs").c_str(), 0755);
        mkdir((root + "/templates").c_str(), 0755);
        mkdir((root + "/icons").c_str(), 0755);
        path2app = root + "/vantrel";
        if (getenv("VANTREL_FUZZ_VERBOSE") == nullptr) {
            int null = open("/dev/null", O_WRONLY);
            if (null >= 0) {
                fflush(stdout);
                dup2(null, STDOUT_FILENO);
                close(null);
            }
        }
        return root;
    }();
    return folder;
}

std::string WriteFuzzFile(const std::string& folder, const std::string& name, const uint8_t* data,
                          size_t size)
{
    std::string path = folder + "/" + name;
    FILE* file = fopen(path.c_str(), "wb");
    if (file != nullptr) {
        if (size > 0)
            fwrite(data, 1, size, file);
        fclose(file);
    }
    return path;
}

STOrder* OpenFuzzWorkshop(const std::string& name, const std::string& week,
                          const std::string& firstWorkerDays)
{
    const std::string& folder = FuzzProgramFolder();
    const std::string workers = "; --\n[IT][Anna][AB][-][1][0]\n" + week + firstWorkerDays +
                                "; --\n[IT][Bert][BC][-][2][1]\n" + week +
                                "; --\n[IT][Idle][ID][-][3][0]\n; --";
    WriteFuzzFile(folder + "/defs", name + ".vtw", reinterpret_cast<const uint8_t*>(workers.data()),
                  workers.size());
    WriteFuzzFile(folder + "/defs", name + ".vto", nullptr, 0);
    DEFS_WKO_IO = name;
    DEFS_ORD_IO = name;
    prefsdata.fetch_and(~VTa_PB_READY_HIR);
    if (STWorker::getSTWorker() == nullptr)
        abort();
    STOrder* orders = STOrder::getSTOrder();
    if (orders == nullptr)
        abort();
    return orders;
}
