#include "app/FunctionKeys.h"

#include <array>

#include "app/AppPost.h"
#include "kit/app/Message.h"
#include "kit/interface/InterfaceDefs.h"

namespace {

struct KeyCommands
{
    int32 key;
    uint32 first;
    uint32 second; // 0: none
};

// Escape closes both editors; Delete shows both editors' extra button rows.
constexpr std::array<KeyCommands, 9> kKeys = {{
    {B_ESCAPE_KEY, '3000', '2000'},
    {B_F1_KEY, 'OPTO', 0},
    {B_F2_KEY, 'OPTE', 0},
    {B_F3_KEY, 'OPTD', 0},
    {B_F4_KEY, 'OPTC', 0},
    {B_F5_KEY, 'RPDL', 0},
    {B_F6_KEY, 'OPTS', 0},
    {B_F12_KEY, '1235', 0},
    {B_DELETE_KEY, '3123', '2123'},
}};

} // namespace

void KeyByOpen(int32, const BMessage* keyDown, int32)
{
    if (keyDown == nullptr)
        return;
    int32 key = 0;
    if (keyDown->FindInt32("key", &key) != B_OK)
        return;
    for (const KeyCommands& entry : kKeys) {
        if (entry.key != key)
            continue;
        PostToApp(entry.first);
        if (entry.second != 0)
            PostToApp(entry.second);
        return;
    }
}
