// The check of names typed for files: its limits, its reasons, and that a
// name it passes is one the project path takes as well.
#include "app/NameCheck.h"

#include <gtest/gtest.h>

#include "app/Paths.h"

namespace {

struct NameCase
{
    std::string name;
    const char* reason; // part of the refusal, or null when accepted
};

} // namespace

TEST(TypedNameRefusal, LimitsAndReasons)
{
    const NameCase cases[] = {
        {"Proj", nullptr},
        {"Proj09", nullptr},
        {std::string(79, 'a'), nullptr},
        {"Werkstatt Süd", nullptr},
        {"plan.v2", nullptr},
        {"abc", "4 to 79 bytes; this one has 3"},
        {"", "this one has 0"},
        {std::string(80, 'a'), "this one has 80"},
        // Bytes count: three two-byte letters are six bytes.
        {"äöü", nullptr},
        {"../etc", "'/'"},
        {"a/b/c", "'/'"},
        {".hidden", "begin with a '.'"},
        {"....", "begin with a '.'"},
        {"ab..cd", "\"..\""},
        {"tab\there", "control characters"},
        {"line\nend", "control characters"},
        {std::string("nul\0name", 8), "control characters"},
        {"del\x7fname", "control characters"},
    };
    for (const NameCase& test : cases) {
        const std::optional<std::string> refusal = TypedNameRefusal(test.name);
        if (test.reason == nullptr) {
            EXPECT_FALSE(refusal) << test.name << ": " << refusal.value_or("");
        } else {
            ASSERT_TRUE(refusal) << test.name;
            EXPECT_NE(refusal->find(test.reason), std::string::npos) << *refusal;
        }
    }
}

TEST(TypedNameRefusal, WhatItPassesIsAProjectPath)
{
    // Every refusal of the path is one of the check's too.
    const std::string names[] = {"plan",     "a..b",  "a/b",   std::string("ab\0c", 4),
                                 "x",        "",      "..",    std::string(229, 'p'),
                                 "Proj1207", ".plan", "plan.", "Ärger im Lager"};
    for (const std::string& name : names) {
        if (!TypedNameRefusal(name)) {
            EXPECT_TRUE(ProjectFilePath(name, ".vto")) << name;
        }
    }
}
