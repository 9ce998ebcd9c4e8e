// The program itself: banner and arguments as the start-up prints them, and
// a clear refusal without a display (the program needs one to be used).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string RunProgram(const std::string& arguments, int* status)
{
    const char* program = VANTREL_PROGRAM;
    std::string output;
    const std::string command =
        std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER '") + program + "' " +
        arguments + " 2>&1";
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
