#include "rename/FileNames.h"

#include <gtest/gtest.h>

namespace {

struct RenameCase {
    const char* oldName;
    const char* typed;
    const char* expected;
};

TEST(FileNames, RenameKeepsOrAddsTheOldExtensionComparedExactly)
{
    const RenameCase cases[] = {
        {"000003.jpg", "holiday", "holiday.jpg"},
        {"000003.jpg", "holiday.jpg", "holiday.jpg"},
        {"000003.jpg", "HOLIDAY.JPG", "HOLIDAY.JPG.jpg"},
        {"000007.avi", "party.jpg", "party.jpg.avi"},
        {"000007.avi", " ", " .avi"},
        {"000007.avi", "avi", "avi.avi"},
        {"000007.avi", ".avi", ".avi"},
    };
    for (const RenameCase& c : cases)
        EXPECT_EQ(RenamedFileName(c.oldName, c.typed), c.expected) << c.oldName << " <- " << c.typed;
}

TEST(FileNames, NamesThatLeaveTheFolderOrNameADeviceAreRefused)
{
    const char* const refused[] = {
        "",
        ".",
        "..",
        "..\\up",
        "../up",
        "sub/name",
        "C:name",
        "a*b",
        "what?",
        "\"quoted\"",
        "a<b",
        "a>b",
        "a|b",
        "tab\there",
        "bell\x07",
        "CON",
        "con.jpg",
        "Nul .avi",
        "aux",
        "PRN.txt",
        "COM1",
        "COM0.jpg",
        "lpt9.jpg",
        // The same in UTF-8, as names in any script now arrive.
        "CON.Зима",
        "..\\冬",
        "Зима/冬",
        "冬?",
    };
    for (const char* name : refused)
        EXPECT_FALSE(IsPlainFileName(name)) << '"' << name << '"';
    const char* const accepted[] = {
        " ",   "holiday",     "HOLIDAY.JPG.jpg", "...jpg", "COM10",   "console.jpg",
        "LPT", "caf\xe9.jpg", "a b c",           "x.y.z",  "Зима 冬", "Отпуск 夏.jpg",
    };
    for (const char* name : accepted)
        EXPECT_TRUE(IsPlainFileName(name)) << '"' << name << '"';
}

} // namespace
