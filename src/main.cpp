#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/Paths.h"
#include "app/Settings.h"
#include "editors/PeopleEntries.h"
#include "kit/app/Message.h"
#include "kit/display/DisplayBackend.h"
#include "shell/ProgramWindows.h"
#include "shell/VTApp.h"

namespace {

constexpr const char* kUsage =
    "Usage: vantrel [OPTION]... [FILE]...\n"
    "Plans the orders of a workshop onto the working time of its workers.\n"
    "\n"
    "A FILE ending in .vto opens that project (from the data folder's \"defs\");\n"
    "any other FILE is imported as an XML export.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -V, --version  show the version and exit\n"
    "  --             the arguments after it are files, even those starting with '-'\n";

enum class Start
{
    kRun,
    kHelp,
    kVersion,
    kUsageError
};

// Options first: a file name that starts with '-' (a lone "-" too, as there
// is no standard input to read) must follow "--", so a mistyped option never
// becomes a file the program tries to import.
Start ParseArguments(int argc, char** argv, std::vector<std::string>& files, std::string& bad)
{
    bool optionsEnded = false;
    for (int i = 1; i < argc; i++) {
        const std::string argument = argv[i];
        if (optionsEnded || !argument.starts_with('-')) {
            files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            return Start::kHelp;
        } else if (argument == "-V" || argument == "--version") {
            return Start::kVersion;
        } else {
            bad = argument;
            return Start::kUsageError;
        }
    }
    return Start::kRun;
}

// Files given on the command line, with their full paths: the program
// folder, not the caller's, is the working folder of everything else.
BMessage ArgvMessage(const char* argv0, const std::vector<std::string>& files)
{
    BMessage message(B_ARGV_RECEIVED);
    message.AddString("argv", argv0 != nullptr ? argv0 : "vantrel");
    for (const std::string& file : files) {
        std::error_code ignored;
        const std::filesystem::path path = std::filesystem::absolute(file, ignored);
        message.AddString("argv", path.empty() ? file.c_str() : path.c_str());
    }
    message.AddInt32("argc", int32(files.size() + 1));
    return message;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> files;
    std::string bad;
    switch (ParseArguments(argc, argv, files, bad)) {
    case Start::kHelp:
        fputs(kUsage, stdout);
        return 0;
    case Start::kVersion:
        printf("vantrel %s (build 20030823)\n", VANTREL_VERSION);
        return 0;
    case Start::kUsageError:
        fprintf(stderr, "vantrel: unknown option '%s'\n", bad.c_str());
        fputs("Usage: vantrel [OPTION]... [FILE]...\n"
              "Try 'vantrel --help' for more information.\n",
              stderr);
        return 2;
    case Start::kRun:
        break;
    }

    printf("\nFIREUP: VT_kernel\n");
    printf("Vantrel build '20030823'\n");
    for (int i = 1; i < argc; i++)
        printf(" %d: '%s' \n", i, argv[i]);
    fflush(stdout);

    // The real file, not argv[0]: started through PATH, argv[0] is a bare
    // name and every data path built from it would be wrong.
    // Installed, the program's folder is not the user's: the data goes to
    // the user's data folder, seeded from the installed defaults.
    path2app = DataBasePath(FindProgramPath(argc > 0 ? argv[0] : nullptr), UserDataFolder());

    if (InstallDisplayBackend(nullptr) == nullptr)
        return 1;
    UseDesktopAddressBook();
    VTApp app(MakeProgramWindows);
    app.SetNameCardMaker(ShowProgramNameCard);
    if (!files.empty()) {
        BMessage message = ArgvMessage(argc > 0 ? argv[0] : nullptr, files);
        app.PostMessage(&message);
    }
    app.Run();
    return 0;
}
