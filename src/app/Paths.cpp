#include "app/Paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/AppLock.h"
#include "app/Globals.h"
#include "kit/app/Application.h"
#include "kit/app/ProgramLauncher.h"
#include "kit/storage/Node.h"
#include "kit/storage/NodeInfo.h"

std::string BuildPath(const char* base, const char* folder, const char* name, const char* ext)
{
    std::string path;
    if (base != nullptr) {
        const char* slash = strrchr(base, '/');
        if (slash != nullptr) {
            path.assign(base, slash - base + 1);
        } else {
            printf(" [%s] [%ld] [%c] not found! \n", base, (long)strlen(base), '/');
            path = base;
        }
    }
    if (folder != nullptr) {
        path += folder;
        path += '/';
    }
    if (name != nullptr)
        path += name;
    if (ext != nullptr)
        path += ext;
    return path;
}

std::string BuildPath(const std::string& base, const char* folder, const char* name,
                      const char* ext)
{
    return BuildPath(base.c_str(), folder, name, ext);
}

std::optional<std::string> ProjectFilePath(std::string_view name, const char* ext)
{
    if (name.empty() || name.size() > kProjectNameMax || name.find('/') != name.npos ||
        name.find("..") != name.npos || name.find('\0') != name.npos)
        return std::nullopt;
    return BuildPath(path2app, kDefsFolder, std::string(name).c_str(), ext);
}

std::string RamDiskPath(const std::string& name)
{
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    std::string path = error ? std::string("/tmp") : folder.string();
    // TMPDIR may end in a slash.
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path == "/")
        return path + name;
    return path + "/" + name;
}

std::string FindProgramPath(const char* argv0)
{
    std::string path(256, '\0');
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0)
            break;
        if ((size_t)length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
    return argv0 != nullptr ? argv0 : "";
}

std::string InstalledDefaultsFolder(const std::string& programPath)
{
    namespace fs = std::filesystem;
    const fs::path bin = fs::path(programPath).parent_path();
    if (bin.filename() != "bin")
        return "";
    const fs::path defaults = bin.parent_path() / "share" / "vantrel";
    std::error_code error;
    if (!fs::is_directory(defaults / kTemplatesFolder, error))
        return "";
    return defaults.string();
}

std::string UserDataFolder()
{
    // A relative XDG_DATA_HOME is ignored, as the desktop rules say.
    if (const char* data = getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/')
        return std::string(data) + "/vantrel";
    if (const char* home = getenv("HOME"); home != nullptr && *home != '\0')
        return std::string(home) + "/.local/share/vantrel";
    return "";
}

// Regular files only: a link in the defaults could point anywhere.
static bool CopyMissing(const std::filesystem::path& from, const std::filesystem::path& to)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::is_directory(from, error))
        return true;
    fs::create_directories(to, error);
    if (error) {
        printf("'%s' cannot be made: %s\n", to.c_str(), error.message().c_str());
        return false;
    }
    bool ok = true;
    for (fs::directory_iterator it(from, error), end; !error && it != end; it.increment(error)) {
        const fs::path target = to / it->path().filename();
        std::error_code kind;
        if (it->is_symlink(kind))
            continue;
        if (it->is_directory(kind)) {
            ok = CopyMissing(it->path(), target) && ok;
        } else if (it->is_regular_file(kind) && !fs::exists(fs::symlink_status(target, kind))) {
            std::error_code copyError;
            fs::copy_file(it->path(), target, fs::copy_options::skip_existing, copyError);
            if (copyError) {
                printf("'%s' cannot be made: %s\n", target.c_str(), copyError.message().c_str());
                ok = false;
            }
        }
    }
    return ok && !error;
}

bool SeedDataFolder(const std::string& defaults, const std::string& folder)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const bool firstStart = !fs::exists(fs::path(folder) / kDefsFolder, error);
    bool ok = CopyMissing(fs::path(defaults) / kIconsFolder, fs::path(folder) / kIconsFolder);
    if (firstStart) {
        ok = CopyMissing(fs::path(defaults) / kTemplatesFolder,
                         fs::path(folder) / kTemplatesFolder) &&
             ok;
        // The demo project last: its folder marks the seeding as done.
        ok = CopyMissing(fs::path(defaults) / kDefsFolder, fs::path(folder) / kDefsFolder) && ok;
    }
    // Saves and "Save as template" need both folders, seeded or not.
    for (const char* name : {kDefsFolder, kTemplatesFolder}) {
        fs::create_directories(fs::path(folder) / name, error);
        ok = ok && !error;
    }
    return ok;
}

std::string DataBasePath(const std::string& programPath, const std::string& userFolder)
{
    namespace fs = std::filesystem;
    const fs::path programFolder = fs::path(programPath).parent_path();
    const bool writable = !programFolder.empty() && access(programFolder.c_str(), W_OK) == 0;
    std::error_code error;
    if (writable && fs::is_directory(programFolder / kTemplatesFolder, error))
        return programPath;
    const std::string defaults = InstalledDefaultsFolder(programPath);
    if ((writable && defaults.empty()) || userFolder.empty())
        return programPath;
    if (!defaults.empty())
        SeedDataFolder(defaults, userFolder);
    else
        SeedDataFolder(programFolder.string(), userFolder);
    return userFolder + "/vantrel";
}

bool IfExist(const char* path)
{
    if (path == nullptr)
        return false;
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    close(fd);
    return ok;
}

std::string SniffFileType(const char* path)
{
    if (!IfExist(path))
        return "";
    BNode node(path);
    BNodeInfo info(&node);
    char type[B_MIME_TYPE_LENGTH];
    if (info.GetType(type) != B_OK)
        return "";
    return type;
}

bool IsNodeTypeOk(const char* path, const char* type)
{
    if (type == nullptr)
        return false;
    return SniffFileType(path).find(type) != std::string::npos;
}

void OpenFileWithTracker(const char* path, int32 mode)
{
    if (path == nullptr)
        return;
    // xdg-open serves both: it hands web pages to the desktop's browser.
    (void)mode;
    // xdg-open reads a leading '-' as an option and knows no "--"; "./"
    // names the same file.
    std::string file = path;
    if (file.starts_with('-'))
        file.insert(0, "./");
    ProgramLauncher::Launch({"xdg-open", file});
}

static bool EndsWithExtension(const std::string& name, const char* ext, size_t extLength)
{
    // The extension must follow at least one character: a file named
    // exactly ".otp" is not a template.
    return name.size() > extLength && name.compare(name.size() - extLength, extLength, ext) == 0;
}

static std::vector<std::string> ListFolder(const char* folder, const char* ext, bool strip)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder);
    if (dir == nullptr)
        return names;
    size_t extLength = strlen(ext);
    int dirFd = dirfd(dir);
    while (struct dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (!EndsWithExtension(name, ext, extLength))
            continue;
        struct stat info;
        if (fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode))
            continue;
        if (strip)
            name.resize(name.size() - extLength);
        names.push_back(std::move(name));
    }
    closedir(dir);
    return names;
}

// Both names upper-cased, then compared ('_' sorts after the letters); names
// equal but for case keep a fixed order.
static bool UpperCaseLess(const std::string& a, const std::string& b)
{
    size_t length = std::min(a.size(), b.size());
    for (size_t i = 0; i < length; i++) {
        int x = toupper((unsigned char)a[i]);
        int y = toupper((unsigned char)b[i]);
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void SortVerz(std::vector<std::string>& list, const char* folder, const char* ext, bool strip)
{
    if (folder == nullptr || ext == nullptr)
        return;

    AppLock lock;
    std::vector<std::string> names = ListFolder(folder, ext, strip);
    list.insert(list.end(), std::make_move_iterator(names.begin()),
                std::make_move_iterator(names.end()));
    std::stable_sort(list.begin(), list.end(), UpperCaseLess);
}
