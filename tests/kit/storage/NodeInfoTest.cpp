#include "kit/storage/NodeInfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "kit/app/TypeConstants.h"
#include "kit/storage/Node.h"
#include "support/ScopedTempFolder.h"

TEST(NodeInfo, TypeComesFromTheFirstBytes)
{
    struct
    {
        std::string bytes;
        const char* type;
    } cases[] = {
        {"\xff\xd8\xff\xe0rest", "image/jpeg"},
        {std::string("\x89PNG\r\n\x1a\n\0\0", 10), "image/png"},
        {"GIF89a...", "image/gif"},
        {"GIF87a", "image/gif"},
        {"GIF88a", "application/octet-stream"},
        {"<?xml version=\"1.0\"?>", "text/xml"},
        {"\xff\xd8", "application/octet-stream"},
        {std::string("\x89PNG\r\n\x1a", 7), "application/octet-stream"},
        {"", "application/octet-stream"},
    };
    ScopedTempFolder folder;
    for (const auto& each : cases) {
        EXPECT_STREQ(BNodeInfo::SniffType(each.bytes.data(), each.bytes.size()), each.type);

        folder.Write("f", each.bytes);
        BNode node((folder / "f").c_str());
        BNodeInfo info(&node);
        char type[B_MIME_TYPE_LENGTH];
        ASSERT_EQ(info.GetType(type), B_OK);
        EXPECT_STREQ(type, each.type);
    }
}

TEST(NodeInfo, OnlyOpenRegularFilesHaveAType)
{
    ScopedTempFolder folder;
    BNode directory(folder.Path().c_str());
    char type[B_MIME_TYPE_LENGTH];
    EXPECT_EQ(BNodeInfo(&directory).GetType(type), B_BAD_TYPE);

    BNode missing((folder / "missing").c_str());
    EXPECT_EQ(missing.InitCheck(), B_ENTRY_NOT_FOUND);
    BNodeInfo info(&missing);
    EXPECT_EQ(info.InitCheck(), B_ENTRY_NOT_FOUND);
    EXPECT_EQ(info.GetType(type), B_ENTRY_NOT_FOUND);
    EXPECT_EQ(BNodeInfo(nullptr).InitCheck(), B_BAD_VALUE);
}

TEST(Node, AttributesRoundTrip)
{
    ScopedTempFolder folder;
    folder.Write("colour", "");
    BNode node((folder / "colour").c_str());
    const unsigned char rgba[4] = {10, 20, 30, 255};
    ssize_t written = node.WriteAttr("RGBCOLOR", 'RGBC', 0, rgba, sizeof(rgba));
    if (written == B_NOT_ALLOWED)
        GTEST_SKIP() << "no extended attributes on this file system";
    ASSERT_EQ(written, 4);

    unsigned char back[8] = {};
    EXPECT_EQ(node.ReadAttr("RGBCOLOR", 'RGBC', 0, back, sizeof(back)), 4);
    EXPECT_EQ(memcmp(back, rgba, 4), 0);
    EXPECT_EQ(node.ReadAttr("RGBCOLOR", 'RGBC', 2, back, 1), 1);
    EXPECT_EQ(back[0], 30);

    // Writing past the end keeps what was there.
    ASSERT_EQ(node.WriteAttr("RGBCOLOR", 'RGBC', 4, "!", 1), 1);
    EXPECT_EQ(node.ReadAttr("RGBCOLOR", 'RGBC', 0, back, sizeof(back)), 5);
    EXPECT_EQ(back[0], 10);

    EXPECT_EQ(node.ReadAttr("META:name", B_STRING_TYPE, 0, back, sizeof(back)), B_ENTRY_NOT_FOUND);
    EXPECT_EQ(node.RemoveAttr("RGBCOLOR"), B_OK);
    EXPECT_EQ(node.RemoveAttr("RGBCOLOR"), B_ENTRY_NOT_FOUND);
}
