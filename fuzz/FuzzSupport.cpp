#include "FuzzSupport.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "app/Globals.h"

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
