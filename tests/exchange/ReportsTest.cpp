// The reports: the HTML page cell by cell after the form, the text list of
// every order, and the fallback folder when "defs" cannot be written.
#include "exchange/Reports.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "data/ProzBalken.h"
#include "data/Worker.h"
#include "exchange/ExchangeProject.h"

namespace {

constexpr const char* kReadOnly = " OOPS... Volume is READONLY!\n\t ..and no RAMDisk :(";

struct TempFolderVariable
{
    explicit TempFolderVariable(const std::string& value)
    {
        if (const char* old = getenv("TMPDIR"))
            fOld = old;
        setenv("TMPDIR", value.c_str(), 1);
    }
    ~TempFolderVariable()
    {
        if (fOld)
            setenv("TMPDIR", fOld->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }
    std::optional<std::string> fOld;
};

// The heading cells' texts in the order of the form.
std::vector<std::string> Headings(const std::string& page)
{
    std::vector<std::string> headings;
    for (size_t at = page.find("<TH BGCOLOR"); at != std::string::npos;
         at = page.find("<TH BGCOLOR", at + 1)) {
        const size_t start = page.find('>', at) + 1;
        headings.push_back(page.substr(start, page.find("</TH>", start) - start));
    }
    return headings;
}

} // namespace

TEST(OrderReport, PageFollowsTheFormCellByCell)
{
    ExchangeProject project;
    Printed([] { STLabel::getSTLabel(); });
    PokeColor(uc_KNA, {10, 10, 10, 255});
    UserSNAP_IMG = "plan.png";
    bool written = false;
    // Every column, the open jobs, a free place, an unknown column and the
    // snapshot; the closed order C-300 is left out.
    const std::string printed =
        Printed([&] { written = project.orders->UserDefOut("0123456o7_xi"); });
    EXPECT_TRUE(written);
    const std::string path = project.folder.Path("defs/userdefout.html");
    EXPECT_EQ(project.folder.Read("defs/userdefout.html"), ExchangeGolden("userdefout.html"));
    EXPECT_EQ(printed, "SNAP_IMG: plan.png\n");
    EXPECT_EQ(project.launched, (std::vector<std::vector<std::string>>{{"xdg-open", path}}));
}

TEST(OrderReport, TheBuiltInFormAndFormsTooShort)
{
    ExchangeProject project;
    Printed([&] { EXPECT_TRUE(project.orders->UserDefOut(htm_form)); });
    EXPECT_EQ(Headings(project.folder.Read("defs/userdefout.html")),
              (std::vector<std::string>{"OrderNr", "DNumber", "Unit", "Sum Hours: ", "  Deadline ",
                                        "PlanDate "}));

    std::filesystem::remove(project.folder.Path("defs/userdefout.html"));
    for (const char* form : {"", "0"}) {
        EXPECT_EQ(Printed([&] { EXPECT_FALSE(project.orders->UserDefOut(form)); }),
                  "'" + std::string(form) + "' Formular to short!\n");
    }
    EXPECT_FALSE(project.folder.Exists("defs/userdefout.html"));
}

TEST(OrderList, EveryOrderWithItsJobsClosedOnesToo)
{
    ExchangeProject project;
    std::string printed = Printed([&] { EXPECT_EQ(project.orders->PrintListAsc(), 1); });
    const std::string path = project.folder.Path("defs/PrintList.txt");
    EXPECT_EQ(project.folder.Read("defs/PrintList.txt"),
              "A-100\t DL:2003/01/20  PT:2003/01/10\t Progress \n"
              " - Anna Berg\t\t[16:30 std]\t[open]\n"
              " - Bert a<b\t\t[8:00 std]\t[ready]\n"
              "B-200\t DL:2003/01/05  PT:2003/01/15\t Break \n"
              " - Bert a<b\t\t[4:00 std]\t[open]\n"
              " - Anna Berg\t\t[2:00 std]\t[open]\n"
              "C-300\t DL:2003/02/01  PT:2003/02/01\t Closed \n"
              " - Anna Berg\t\t[3:15 std]\t[ready]\n");
    EXPECT_EQ(printed, " STOrder-PrintList-END  [3|" + path + "]\n");

    // A job whose worker is gone is left out, also from the open-job rows.
    ProzBalken* lost = project.orders->GetOrder(1)->jobs[0].get();
    lost->j_id = 99;
    const std::string given = project.folder.Path("list.txt");
    printed = Printed([&] { EXPECT_EQ(project.orders->PrintListAsc(given.c_str()), 1); });
    EXPECT_EQ(project.folder.Read("list.txt").find("[4:00 std]"), std::string::npos);
    const std::string bad = "ProzBalken::PrintToFile Bad worker " + std::to_string(lost->wko_nr);
    EXPECT_EQ(printed, bad + "\n STOrder-PrintList-END  [3|" + given + "]\n");
    EXPECT_EQ(Printed([&] { project.orders->GetOrder(1)->ContentOut('o' - '0'); }),
              "Bad *worker\n");
    EXPECT_EQ(project.launched.back(), (std::vector<std::string>{"xdg-open", given}));
}

TEST(Reports, GoToTheFallbackFolderWhenDefsCannotBeWritten)
{
    ExchangeProject project;
    std::filesystem::remove_all(project.folder.Path("defs"));
    project.folder.Write("defs", "a file where the folder was");
    std::filesystem::create_directory(project.folder.Path("ram"));
    struct Case
    {
        const char* file;
        std::function<bool()> run;
    };
    const Case cases[] = {
        {"PrintList.txt", [&] { return project.orders->PrintListAsc() == 1; }},
        {"userdefout.html", [&] { return project.orders->UserDefOut("0123"); }},
    };
    for (const Case& c : cases) {
        project.launched.clear();
        {
            TempFolderVariable tmp(project.folder.Path("ram"));
            EXPECT_TRUE(Printed([&] { EXPECT_TRUE(c.run()); }).size() > 0) << c.file;
            const std::string fallback = project.folder.Path(std::string("ram/") + c.file);
            EXPECT_TRUE(project.folder.Exists(std::string("ram/") + c.file)) << c.file;
            EXPECT_EQ(project.launched,
                      (std::vector<std::vector<std::string>>{{"xdg-open", fallback}}));
        }
        // Nothing can be made in /proc, not even by root.
        TempFolderVariable tmp("/proc");
        project.launched.clear();
        EXPECT_EQ(Printed([&] { EXPECT_FALSE(c.run()); }), "") << c.file;
        EXPECT_EQ(project.AnswerAlerts(), std::vector<std::string>{kReadOnly}) << c.file;
        EXPECT_TRUE(project.launched.empty()) << c.file;
    }
}

TEST(OrderReport, TextsAreEscapedAndNothingElseChanges)
{
    ExchangeProject project;
    Printed([] { STLabel::getSTLabel(); });
    Order* order = project.orders->GetOrder(0);
    Worker* anna = project.workers->GetWorkerWithID(order->jobs[0]->j_id);
    ASSERT_NE(anna, nullptr);
    struct Text
    {
        std::function<void(const std::string&)> set;
        const char* hostile;
        const char* shown; // written out here, not made by the escaper
    };
    const Text texts[] = {
        {[&](const std::string& t) { ASSERT_TRUE(project.orders->SetProjectName(t)); },
         "<b onmouseover='x'>P&amp;", "&lt;b onmouseover=&#39;x&#39;&gt;P&amp;amp;"},
        {[&](const std::string& t) { order->oauft = t; }, "<script>alert(1)</script>",
         "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {[&](const std::string& t) { order->oznr = t; }, "\"quoted\" & 'single'",
         "&quot;quoted&quot; &amp; &#39;single&#39;"},
        {[&](const std::string& t) { order->owkz = t; }, "Fräsen ✓", "Fräsen ✓"},
        {[&](const std::string& t) { order->opdl = t; }, "<x>", "&lt;x&gt;"},
        {[&](const std::string& t) { anna->w_name = t; }, "Anna <i>", "Anna &lt;i&gt;"},
        {[&](const std::string& t) { order->jobs[0]->j_info = t; }, "a&b", "a&amp;b"},
        {[&](const std::string& t) { UserSNAP_IMG = t; }, "x.png\" onerror=\"alert(1)",
         "x.png&quot; onerror=&quot;alert(1)"},
    };
    auto page = [&](bool hostile) {
        for (size_t i = 0; i < std::size(texts); i++)
            texts[i].set(hostile ? texts[i].hostile : "QQ" + std::to_string(i) + "QQ");
        Printed([&] { EXPECT_TRUE(project.orders->UserDefOut("0123456o7_xi")); });
        return project.folder.Read("defs/userdefout.html");
    };
    std::string expected = page(false);
    for (size_t i = 0; i < std::size(texts); i++) {
        const std::string token = "QQ" + std::to_string(i) + "QQ";
        ASSERT_NE(expected.find(token), std::string::npos) << token;
        for (size_t at; (at = expected.find(token)) != std::string::npos;)
            expected.replace(at, token.size(), texts[i].shown);
    }
    EXPECT_EQ(page(true), expected);

    // Form letters beyond the digits name characters such as '<' and '&'.
    EXPECT_EQ(order->ContentOut('l' - '0'), "|&lt;");
    EXPECT_EQ(order->ContentOut('V' - '0'), "|&amp;");
}
