// The function-key map: which commands each key posts, in which order.
#include "app/FunctionKeys.h"

#include <gtest/gtest.h>

#include "app/AppPost.h"
#include "kit/interface/InterfaceDefs.h"

namespace {

std::vector<uint32> posted_for(int32 key)
{
    AppPostRecorder recorder;
    BMessage keyDown(B_KEY_DOWN);
    keyDown.AddInt32("key", key);
    KeyByOpen(0, &keyDown, 0);
    return recorder.Codes();
}

} // namespace

TEST(FunctionKeys, MappedKeysPostTheirCommandsOthersNothing)
{
    const std::pair<int32, std::vector<uint32>> cases[] = {
        {B_ESCAPE_KEY, {'3000', '2000'}},
        {B_F1_KEY, {'OPTO'}},
        {B_F2_KEY, {'OPTE'}},
        {B_F3_KEY, {'OPTD'}},
        {B_F4_KEY, {'OPTC'}},
        {B_F5_KEY, {'RPDL'}},
        {B_F6_KEY, {'OPTS'}},
        {B_F12_KEY, {'1235'}},
        {B_DELETE_KEY, {'3123', '2123'}},
        {B_F7_KEY, {}},
        {B_F11_KEY, {}},
        {0, {}},
        {53, {}},
        {-1, {}},
    };
    for (const auto& [key, posted] : cases)
        EXPECT_EQ(posted_for(key), posted) << "key " << key;

    AppPostRecorder recorder;
    BMessage noKey(B_KEY_DOWN);
    KeyByOpen(0, &noKey, 0);
    KeyByOpen(0, nullptr, 0);
    EXPECT_TRUE(recorder.Codes().empty());
}
