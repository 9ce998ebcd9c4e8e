// The layers of src/ point one way: a folder includes only its own and
// the folders below it, so the toolkit and the data never reach up into
// windows. The scan names every include that breaks it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 10> kLayers = {"kit",        "calendar", "app",     "data",
                                                 "scheduling", "exchange", "widgets", "planner",
                                                 "editors",    "shell"};

std::optional<size_t> LayerRank(const std::string& folder)
{
    auto found = std::find(kLayers.begin(), kLayers.end(), folder);
    if (found == kLayers.end())
        return std::nullopt;
    return size_t(found - kLayers.begin());
}

// The layer a path below src/ belongs to ("data/Order.h" -> "data"); empty
// for main.cpp and anything outside the layers.
std::string LayerOf(const fs::path& relative)
{
    auto first = relative.begin();
    if (first == relative.end() || std::next(first) == relative.end())
        return "";
    return LayerRank(first->string()) ? first->string() : "";
}

// What an include line names below src/: "data/Order.h" as written, a
// neighbour ("Order.h") or "../data/Order.h" resolved against the including
// file's folder. Empty for system headers and lines that include nothing.
std::string IncludedPath(const std::string& line, const fs::path& includer)
{
    static const std::regex kInclude(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::smatch match;
    if (!std::regex_search(line, match, kInclude))
        return "";
    const fs::path named = match[2].str();
    if (LayerOf(named).empty() || match[2].str().starts_with("..")) {
        if (match[1] == "<")
            return "";
        return (includer.parent_path() / named).lexically_normal().generic_string();
    }
    return named.generic_string();
}

// "" when the include may stand there, else why not.
std::string Violation(const fs::path& includer, const std::string& line)
{
    const std::string from = LayerOf(includer);
    const std::string included = IncludedPath(line, includer);
    const std::string to = LayerOf(included);
    if (from.empty() || to.empty() || *LayerRank(to) <= *LayerRank(from))
        return "";
    return includer.generic_string() + ": includes \"" + included + "\" (" + to + "/ is above " +
           from + "/)";
}

std::vector<std::string> ScanSources(const fs::path& src)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp"))
            continue;
        const fs::path relative = entry.path().lexically_relative(src);
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); number++) {
            std::string why = Violation(relative, line);
            if (!why.empty())
                found.push_back(why + " at line " + std::to_string(number));
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

TEST(LayerRule, IncludesPointOnlyDownward)
{
    struct Case
    {
        const char* file;
        const char* line;
        bool allowed;
    };
    const Case cases[] = {
        {"data/Order.cpp", "#include \"data/Order.h\"", true},
        {"data/Order.cpp", "#include \"app/Settings.h\"", true},
        {"data/Order.cpp", "#include \"kit/interface/View.h\"", true},
        {"kit/interface/View.cpp", "#include \"kit/app/Looper.h\"", true},
        {"data/Order.cpp", "#include <string>", true},
        {"data/Order.cpp", "#include <SDL.h>", true},
        {"main.cpp", "#include \"shell/App.h\"", true},
        {"widgets/ViewPrint.cpp", "#include \"exchange/Reports.h\"", true},
        {"data/Order.cpp", "// #include \"widgets/ViewHelpers.h\"", true},
        {"data/ProzBalken.cpp", "#include \"widgets/ViewHelpers.h\"", false},
        {"kit/interface/View.cpp", "#include \"calendar/Clock.h\"", false},
        {"app/Notices.cpp", "  #  include \"data/STOrder.h\"", false},
        {"scheduling/OrderLayout.cpp", "#include <exchange/Reports.h>", false},
        {"planner/Grid.cpp", "#include \"shell/App.h\"", false},
        {"calendar/Datum.cpp", "#include \"../app/Globals.h\"", false},
        {"app/Paths.cpp", "#include \"../app/Globals.h\"", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Violation(c.file, c.line).empty(), c.allowed) << c.file << ": " << c.line;
    EXPECT_EQ(Violation("data/ProzBalken.cpp", "#include \"widgets/ViewHelpers.h\""),
              "data/ProzBalken.cpp: includes \"widgets/ViewHelpers.h\" (widgets/ is above data/)");
}

TEST(LayerRule, NoIncludeInSrcPointsUpward)
{
    const fs::path src = fs::path(VANTREL_SOURCE_DIR) / "src";
    ASSERT_TRUE(fs::is_directory(src / "kit")) << src;
    for (const std::string& violation : ScanSources(src))
        ADD_FAILURE() << violation;
}
