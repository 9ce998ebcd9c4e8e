// The program itself: its options, banner and arguments as the start-up
// prints them, and a clear refusal without a display (the program needs one
// to be used).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// streams: "2>&1" for both, "2>/dev/null" for standard output only,
// "2>&1 >/dev/null" for standard error only.
std::string RunProgram(const std::string& arguments, int* status,
                       const std::string& streams = "2>&1")
{
    const char* program = VANTREL_PROGRAM;
    std::string output;
    const std::string command =
        std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER '") + program + "' " +
        arguments + " " + streams;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return "";
    char buffer[256];
    while (size_t count = fread(buffer, 1, sizeof(buffer), pipe))
        output.append(buffer, count);
    *status = pclose(pipe);
    return output;
}

} // namespace

TEST(Main, PrintsBannerAndNumberedArgumentsAndNeedsADisplay)
{
    int status = -1;
    std::string output = RunProgram("plan.xml 'two words'", &status);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(output.rfind("\nFIREUP: VT_kernel\n"
                           "Vantrel build '20030823'\n"
                           " 1: 'plan.xml' \n"
                           " 2: 'two words' \n",
                           0),
              0u)
        << output;
    EXPECT_NE(output.find("vantrel: no display available"), std::string::npos) << output;
}

TEST(Main, HelpAndVersionPrintAndEndWithoutAWindow)
{
    struct Case
    {
        const char* arguments;
        const char* expected;
    } cases[] = {
        {"--help", "Usage: vantrel [OPTION]... [FILE]...\n"},
        {"-h", "Usage: vantrel [OPTION]... [FILE]...\n"},
        {"plan.xml --help", "Usage: vantrel [OPTION]... [FILE]...\n"},
        {"--version", "vantrel "},
        {"-V", "vantrel "},
    };
    for (const Case& c : cases) {
        int status = -1;
        const std::string output = RunProgram(c.arguments, &status, "2>/dev/null");
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << c.arguments;
        EXPECT_EQ(output.rfind(c.expected, 0), 0u) << c.arguments << ": " << output;
        // No banner: nothing was started.
        EXPECT_EQ(output.find("FIREUP"), std::string::npos) << c.arguments;
        EXPECT_EQ(output.find("no display"), std::string::npos) << c.arguments;
    }
    int status = -1;
    EXPECT_NE(RunProgram("--help", &status).find("--version"), std::string::npos);
}

TEST(Main, UnknownOptionsGiveAShortUsageOnStandardErrorAndExit2)
{
    for (const char* arguments : {"--frobnicate", "-x plan.xml", "plan.xml -", "--help=yes"}) {
        int status = -1;
        const std::string errors = RunProgram(arguments, &status, "2>&1 >/dev/null");
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << arguments;
        EXPECT_NE(errors.find("vantrel: unknown option '"), std::string::npos) << errors;
        EXPECT_NE(errors.find("Usage: vantrel"), std::string::npos) << errors;
        EXPECT_EQ(RunProgram(arguments, &status, "2>/dev/null"), "") << arguments;
    }
}

TEST(Main, FilesAfterDoubleDashMayStartWithADash)
{
    int status = -1;
    const std::string output = RunProgram("-- -odd.xml --help", &status);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << output;
    EXPECT_NE(output.find(" 2: '-odd.xml' \n 3: '--help' \n"), std::string::npos) << output;
    EXPECT_NE(output.find("vantrel: no display available"), std::string::npos) << output;
}
