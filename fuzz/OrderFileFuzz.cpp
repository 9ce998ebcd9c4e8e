// Arbitrary bytes as an order file and as an order template: every order is
// checked and laid out, what is saved again fits the reader's lines, and
// saving what was read back gives the same bytes.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "data/Order.h"
#include "data/RecordLineReader.h"
#include "data/STOrder.h"
#include "data/STWorker.h"
#include "kit/app/Message.h"

namespace {

constexpr const char* kWeek = "[WD][Mo][7:00][8:00][0:45]\n[WD][Di][7:00][8:00][0:45]\n"
                              "[WD][Mi][7:00][8:00][0:45]\n[WD][Do][7:00][8:00][0:45]\n"
                              "[WD][Fr][7:00][8:00][0:45]\n[WD][Sa][7:00][0:00][0:45]\n"
                              "[WD][So][7:00][0:00][0:45]\n";

STOrder* Setup()
{
    return OpenFuzzWorkshop("fuzz", kWeek);
}

// Loads the file as the list does and writes it again.
std::string LoadAndSave(STOrder* orders, const std::string& path)
{
    OrderList list;
    orders->LoadOrder(path, list);
    std::string text;
    for (const auto& order : list) {
        order->PruefeOrder(false);
        order->SaveAsASC(text);
    }
    return text + "; ---";
}

void CheckLines(const std::string& text)
{
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        if (end - begin > RecordLineReader::kMaxLineLength)
            abort();
        begin = end + 1;
    }
}

// A link holding a tag is read back as a record of its own as well.
bool HasTaggedLink(const std::string& text)
{
    RecordLineReader reader(text);
    RecordLine line;
    while (reader.Next(line)) {
        if (!line.HasTag("[LN]"))
            continue;
        std::string link = line.Text();
        link.erase(link.find("[LN]"), 4);
        if (link.find("[IT]") != std::string::npos || link.find("[PB]") != std::string::npos ||
            link.find("[LN]") != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static STOrder* const orders = Setup();
    const std::string defs = FuzzProgramFolder() + "/defs";

    const std::string once = LoadAndSave(orders, WriteFuzzFile(defs, "input.vto", data, size));
    CheckLines(once);
    if (!HasTaggedLink(once)) {
        const std::string path = WriteFuzzFile(
            defs, "again.vto", reinterpret_cast<const uint8_t*>(once.data()), once.size());
        const std::string twice = LoadAndSave(orders, path);
        if (twice != once) {
            fprintf(stderr, "saved:\n%s\nsaved again:\n%s\n", once.c_str(), twice.c_str());
            abort();
        }
    }

    WriteFuzzFile(FuzzProgramFolder() + "/templates", "input.otp", data, size);
    BMessage use('O+TF');
    use.AddString("fname", "input");
    orders->AddOrderTemplate(&use);
    while (orders->GetOMax() > 0)
        orders->DeleteSingleOrder(orders->GetOMax());
    return 0;
}
