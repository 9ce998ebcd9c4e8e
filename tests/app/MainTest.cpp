// The program itself: banner and arguments as the start-up prints them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string RunProgram(const std::string& arguments, int* status)
{
    const char* program = VANTREL_PROGRAM;
    std::string output;
    FILE* pipe = popen((std::string("'") + program + "' " + arguments).c_str(), "r");
    if (pipe == nullptr)
        return "";
    char buffer[256];
    while (size_t count = fread(buffer, 1, sizeof(buffer), pipe))
        output.append(buffer, count);
    *status = pclose(pipe);
    return output;
}

} // namespace

TEST(Main, PrintsBannerAndNumberedArgumentsThenExits)
{
    int status = -1;
    std::string output = RunProgram("plan.xml 'two words'", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(output, "\nFIREUP: VT_kernel\n"
                      "Vantrel build '20030823'\n"
                      " 1: 'plan.xml' \n"
                      " 2: 'two words' \n");
}
