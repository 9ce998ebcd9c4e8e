// Paths of the data files beside the program, file tests, handing files to
// the desktop, and listing the files of a folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/app/SupportDefs.h"

// base (always path2app) cut after its last '/', then "folder/", name and
// ext; a null or absent part is skipped. A base without '/' is used whole.
std::string BuildPath(const char* base, const char* folder = nullptr, const char* name = nullptr,
                      const char* ext = nullptr);
std::string BuildPath(const std::string& base, const char* folder = nullptr,
                      const char* name = nullptr, const char* ext = nullptr);

// A save writes ".<file>.tmp<pid>-<counter>" beside its file (BSafeFile):
// with a pid of up to 7 digits (the kernel's limit is 4194304), a 32-bit
// counter and the longest extension that follows a project's name (".vto",
// ".vtw", ".xml"), a name of this many bytes still leaves that temporary
// name within the file system's 255 bytes.
inline constexpr size_t kFileNameMax = 255;
inline constexpr size_t kSaveTempExtra = 1 + 4 + 7 + 1 + 10;
inline constexpr size_t kProjectExtensionMax = 4;
inline constexpr size_t kProjectNameMax = kFileNameMax - kSaveTempExtra - kProjectExtensionMax;
static_assert(kProjectNameMax == 228);

// "defs/<name><ext>" beside the program: the one place where a project's
// name becomes a path. Nothing for a name that would leave "defs" or that
// no save could write: empty, with a '/', a "..", a NUL, or longer than
// kProjectNameMax bytes.
std::optional<std::string> ProjectFilePath(std::string_view name, const char* ext);

// Where a report or snapshot goes when the data folder cannot be written:
// the system's temporary folder, then "/" and name.
std::string RamDiskPath(const std::string& name);

// The running program's real file: /proc/self/exe, else argv0 as given.
std::string FindProgramPath(const char* argv0);

// The read-only defaults of an installed program: "<prefix>/share/vantrel"
// for a program in "<prefix>/bin" when that folder holds "templates";
// otherwise "".
std::string InstalledDefaultsFolder(const std::string& programPath);

// $XDG_DATA_HOME/vantrel (an absolute $XDG_DATA_HOME only), else
// $HOME/.local/share/vantrel; "" without either.
std::string UserDataFolder();

// Copies what defaults holds into folder without replacing anything there.
// The demo project and the templates come only while folder has no "defs"
// yet (a first start: what the user deleted later stays deleted); missing
// icons, which the program needs, are always filled in. Returns false when
// a file or folder could not be made.
bool SeedDataFolder(const std::string& defaults, const std::string& folder);

// The base path (path2app) for a program at programPath. A writable program
// folder with "templates" (the build tree), or a writable one without
// installed defaults, keeps the data beside the program. An installed or
// read-only program keeps it in userFolder, created and seeded on the way;
// the base is then "<userFolder>/vantrel", so BuildPath finds the same
// folders there.
std::string DataBasePath(const std::string& programPath, const std::string& userFolder);

// The file exists, is not a folder and can be opened for reading.
bool IfExist(const char* path);

// The type of a file judged by its first bytes: "image/jpeg", "image/png",
// "image/gif", "text/xml", or "application/octet-stream"; "" when the file
// cannot be read.
std::string SniffFileType(const char* path);

// The file's type (see SniffFileType) contains type, e.g. "image/".
bool IsNodeTypeOk(const char* path, const char* type);

// Hands a file to the desktop: mode 1 for the web browser, any other mode
// for the program the desktop associates with the file's type.
void OpenFileWithTracker(const char* path, int32 mode);

// Appends the names of the regular files of folder that end with ext (and
// are longer than it) to list, the extension removed when strip is set, and
// sorts the list case-insensitively. Locks the application when one exists.
void SortVerz(std::vector<std::string>& list, const char* folder, const char* ext, bool strip);
