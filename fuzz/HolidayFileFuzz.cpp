// Arbitrary bytes as the holiday file: read, looked up, tabled, changed and
// written; what is written must read back to the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "FuzzSupport.h"
#include "app/Settings.h"
#include "data/Holiday.h"
#include "data/STHolidays.h"

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool LinesShorterThan(const std::string& bytes, size_t limit)
{
    size_t start = 0;
    for (;;) {
        const size_t end = bytes.find('\n', start);
        if ((end == std::string::npos ? bytes.size() : end) - start >= limit)
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

// Reads the file, saves it and returns what was saved.
std::string LoadAndSave(int32* count)
{
    STHolidays* list = STHolidays::getSTHolidays();
    *count = list->CountHolidays();
    for (int32 i = 0; i < list->CountHolidays(); i++) {
        if (list->HolidayAt(i)->date.size() > Holiday::kDateMax)
            abort();
        const std::string& date = list->HolidayAt(i)->date;
        if (date.find('\0') == std::string::npos && !list->IsHoliday(date.c_str()))
            abort();
    }
    if (list->HDaysTable()[kDayTableDays] != '\0')
        abort();
    list->ListAllHolidays();
    list->SaveHolidaysList();
    const std::string saved = ReadFile(list->Path());
    list->DeleteMe();
    return saved;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string folder = FuzzProgramFolder() + "/defs";
    WriteFuzzFile(folder, "holiday.vth", data, size);
    prefsdata |= VTa_USE_HOLIDAY;

    int32 first = 0;
    int32 second = 0;
    int32 third = 0;
    const std::string once = LoadAndSave(&first);
    const std::string twice = LoadAndSave(&second);
    // Short dates are padded by the first save and may sort anew once; from
    // then on the file is stable.
    const std::string thrice = LoadAndSave(&third);
    const std::string input(reinterpret_cast<const char*>(data), size);
    if (LinesShorterThan(input, 200) && (first != second || second != third || twice != thrice))
        abort();

    STHolidays* list = STHolidays::getSTHolidays();
    if (list->CountHolidays() > 0)
        list->DelOneDay(list->HolidayAt(0)->date.c_str());
    list->AddOneDay("2002/12/25", "Weihnachten");
    if (!list->IsHoliday("2002/12/25"))
        abort();
    list->DeleteMe();
    return 0;
}
