#include "ProjectGenerator.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "calendar/CalDay.h"

namespace {

std::string Format(const char* format, auto... args)
{
    char buffer[512];
    snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

ks_calday Today()
{
    return *str2CDay(nullptr);
}

ks_calday DaysFrom(ks_calday day, int days)
{
    for (; days > 0; days--)
        NextCDay(&day);
    for (; days < 0; days++)
        PrevCDay(&day);
    return day;
}

bool WriteFile(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    return bool(out);
}

// Fixed-date holidays of three years around today.
std::string HolidayFile(int year)
{
    static const struct
    {
        int month, day;
        const char* name;
    } kFixed[] = {{1, 1, "Neujahr"},
                  {1, 6, "Heilige Drei Koenige"},
                  {5, 1, "Maifeiertag"},
                  {8, 15, "Mariae Himmelfahrt"},
                  {10, 3, "Tag der Einheit"},
                  {11, 1, "Allerheiligen"},
                  {12, 24, "Heiligabend"},
                  {12, 25, "Weihnachten"},
                  {12, 26, "2. Weihnachtstag"},
                  {12, 31, "Silvester"}};
    std::string text = "; -- Holidaylist / Feiertagsliste \n; -- [item][yyyy/mm/dd][name][regi]\n";
    for (int y = year - 1; y <= year + 2; y++) {
        text += "; --\n";
        for (const auto& h : kFixed)
            text += Format("[HD][%04d/%02d/%02d][%s]\n", y, h.month, h.day, h.name);
    }
    return text + "; --";
}

void DayLines(std::string& text, const char* tag, std::vector<ks_calday> days)
{
    if (days.empty())
        return;
    text += tag;
    int count = 0;
    int32_t year = days.front().year;
    for (const ks_calday& day : days) {
        if (day.year != year || count == 6) {
            text += std::string("\n") + tag;
            count = 0;
            year = day.year;
        }
        text += "[" + CDay2str(&day) + "]";
        count++;
    }
    text += "\n";
}

std::string WorkerFile(int workers, std::mt19937& random)
{
    const ks_calday today = Today();
    std::string text;
    for (int w = 0; w < workers; w++) {
        text += "; --\n";
        text += Format("[IT][Worker %03d][W%03d][KST-%04d][%d][%d]\n", w + 1, w + 1, 100 + w % 37,
                       w + 1, random() % 10 == 0 ? 1 : 0);
        static const char* kDays[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
        const int kind = random() % 10; // 0..6 full time, 7..8 Saturdays too, 9 part time
        for (int d = 0; d < 7; d++) {
            const char* hours =
                d < 5 ? (kind == 9 ? "4:30" : "8:00") : (d == 5 && kind >= 7 ? "4:00" : "0:00");
            text += Format("[WD][%s][7:00][%s][0:45]\n", kDays[d], hours);
        }
        // Off-days in blocks, illness days scattered, all in the coming year.
        std::vector<ks_calday> off, ill;
        for (int block = 0; block < 3; block++) {
            ks_calday day = DaysFrom(today, int(random() % 330));
            for (int n = 0; n < 5; n++, NextCDay(&day))
                if (CDayIsWDay(&day) < 5)
                    off.push_back(day);
        }
        for (int n = int(random() % 4); n > 0; n--) {
            ks_calday day = DaysFrom(today, int(random() % 200));
            if (CDayIsWDay(&day) < 5)
                ill.push_back(day);
        }
        auto before = [](const ks_calday& a, const ks_calday& b) { return DiffDays(&a, &b) < 0; };
        auto same = [](const ks_calday& a, const ks_calday& b) { return DiffDays(&a, &b) == 0; };
        for (auto* days : {&off, &ill}) {
            std::sort(days->begin(), days->end(), before);
            days->erase(std::unique(days->begin(), days->end(), same), days->end());
        }
        DayLines(text, "[UD]", off);
        DayLines(text, "[IL]", ill);
        text += "; --; --";
    }
    return text;
}

std::string OrderFile(int orders, int workers, std::mt19937& random)
{
    const ks_calday today = Today();
    std::string text;
    for (int o = 0; o < orders; o++) {
        const int r = int(random() % 100);
        const int status = r < 75 ? 1 : r < 88 ? 2 : r < 94 ? 0 : r < 98 ? 3 : 4;
        ks_calday plan = DaysFrom(today, int(random() % 300) - 20);
        ks_calday deadline = DaysFrom(plan, int(random() % 30) - 5);
        text += "; ---\n";
        text += Format("[IT][A-%05d][Z-%06d][WKZ-%03d][%10s][%10s][%d][%d][2]\n", o + 1,
                       int(random() % 1000000), int(random() % 400), CDay2str(&deadline).c_str(),
                       CDay2str(&plan).c_str(), int(random() % 2), status);
        const int jobs = 3 + int(random() % 3);
        int left = 1;
        for (int j = 0; j < jobs; j++) {
            // Now and then a job runs beside its predecessor (same columns).
            const bool parallel = j > 0 && random() % 5 == 0;
            if (parallel)
                left -= 6;
            const int top = parallel ? 4 : 1;
            const int hours = 2 + int(random() % 38);
            const int minutes = 15 * int(random() % 4);
            const int done = status == 3 || (status == 2 && j == 0) ? 1 : 0;
            text +=
                Format("[PB][%d][%d][%d][%d][%d][%d][%d:%02d][%d][Step %d]\n", left, left + 5, top,
                       top + 2, 1 + int(random() % workers), done, hours, minutes, j, j + 1);
            left += 6;
        }
        if (random() % 10 == 0)
            text += Format("[LN]/boot/home/drawings/Z-%06d.pdf\n", o + 1);
    }
    return text + "; ---";
}

} // namespace

bool GenerateProject(const std::string& root, const std::string& name, ProjectSize size,
                     uint32_t seed)
{
    std::mt19937 random(seed);
    const std::filesystem::path defs = std::filesystem::path(root) / "defs";
    std::error_code ignored;
    std::filesystem::create_directories(defs, ignored);
    std::filesystem::create_directories(std::filesystem::path(root) / "templates", ignored);
    return WriteFile(defs / "holiday.vth", HolidayFile(Today().year)) &&
           WriteFile(defs / (name + ".vtw"), WorkerFile(size.workers, random)) &&
           WriteFile(defs / (name + ".vto"), OrderFile(size.orders, size.workers, random));
}
