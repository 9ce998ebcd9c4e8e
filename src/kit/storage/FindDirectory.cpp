#include "kit/storage/FindDirectory.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "kit/storage/Directory.h"
#include "kit/storage/Path.h"

static bool IsAbsolute(const char* path)
{
    return path != nullptr && path[0] == '/';
}

static bool HomeFolder(std::string* home)
{
    const char* fromEnvironment = getenv("HOME");
    if (IsAbsolute(fromEnvironment)) {
        *home = fromEnvironment;
        return true;
    }

    long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? suggested : 1024);
    for (;;) {
        struct passwd entry;
        struct passwd* found = nullptr;
        int error = getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < (1 << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || found == nullptr || !IsAbsolute(found->pw_dir))
            return false;
        *home = found->pw_dir;
        return true;
    }
}

static status_t FolderFor(directory_which which, std::string* folder)
{
    switch (which) {
    case B_SYSTEM_TEMP_DIRECTORY: {
        const char* temp = getenv("TMPDIR");
        *folder = IsAbsolute(temp) ? temp : "/tmp";
        return B_OK;
    }
    case B_USER_DIRECTORY:
        return HomeFolder(folder) ? B_OK : B_ENTRY_NOT_FOUND;
    case B_USER_SETTINGS_DIRECTORY: {
        const char* config = getenv("XDG_CONFIG_HOME");
        if (IsAbsolute(config)) {
            *folder = config;
            return B_OK;
        }
        if (!HomeFolder(folder))
            return B_ENTRY_NOT_FOUND;
        *folder += "/.config";
        return B_OK;
    }
    }
    return B_BAD_VALUE;
}

status_t find_directory(directory_which which, BPath* path, bool createIt)
{
    if (path == nullptr)
        return B_BAD_VALUE;
    std::string folder;
    status_t status = FolderFor(which, &folder);
    if (status == B_OK && createIt)
        status = create_directory(folder.c_str(), 0700);
    if (status != B_OK) {
        path->Unset();
        return status;
    }
    return path->SetTo(folder.c_str());
}
