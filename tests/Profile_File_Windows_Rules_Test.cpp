#include "settings/Profile_File.h"
#include "support/Temp_Dir.h"
#include "support/Windows_Profile_Cases.h"
#include "util/Horavox_Error.h"

#include <gtest/gtest.h>

namespace {

TEST(Profile_File_Windows_Rules, ReadsWhatWindowsReads)
{
    TTemp_Dir dir;
    for (const auto& c : Windows_Profile_Cases()) {
        const TProfile_File file(dir.Write("vocahora.ini", c.content));
        EXPECT_EQ(file.Read_Value("vocahora", c.key), c.value) << c.what;
        EXPECT_EQ(file.Contents(), c.content) << c.what;
    }
}

TEST(Profile_File_Windows_Rules, WritesKeepTheFilesEncodingAndEveryOtherLine)
{
    struct Case {
        std::string what, before, key, value, after;
    };
    const std::string mark = "\xEF\xBB\xBF";
    const Case cases[] = {
        {"a key without =", "[s]\r\n  k \r\nk=0\r\n", "K", "1", "[s]\r\n  k=1\r\nk=0\r\n"},
        {"a quoted value", "[s]\r\nk=\"0\" ; x\r\n", "k", "1", "[s]\r\nk=1\r\n"},
        {"UTF-8", mark + "[s]\r\nj=\xC3\xA9\r\n", "k", "\xE2\x82\xAC", mark + "[s]\r\nj=\xC3\xA9\r\nk=\xE2\x82\xAC\r\n"},
        {"UTF-16LE", Utf16(u"\uFEFF[s]\r\nj=\u00E9\r\n\xD800x"), "k", "\xE2\x82\xAC",
         Utf16(u"\uFEFF[s]\r\nj=\u00E9\r\n\xD800x\r\nk=\u20AC\r\n")},
        {"UTF-16BE", Utf16(u"\uFEFF[s]\r\n", true) + "z", "k", "\xF0\x9F\x94\x94",
         Utf16(u"\uFEFF[s]\r\nk=\U0001F514\r\n", true) + "z"},
    };
    TTemp_Dir dir;
    for (const auto& c : cases) {
        TProfile_File file(dir.Write("vocahora.ini", c.before));
        file.Write_String("s", c.key, c.value);
        EXPECT_EQ(file.Contents(), c.after) << c.what;
        file.Save();
        EXPECT_EQ(Read_File(file.Path()), c.after) << c.what;
        EXPECT_EQ(TProfile_File(file.Path()).Read_Value("s", c.key), c.value) << c.what;
    }
}

TEST(Profile_File_Windows_Rules, RefusesWhatWouldNotReadBack)
{
    const std::string utf16 = Utf16(u"\uFEFF[s]\r\nk=0\r\n");
    const struct {
        std::string before, section, key, value;
    } cases[] = {
        {"[s]\r\nk=0\r\n", "s", "k\v", "1"},
        {"[s]\r\nk=0\r\n", "\x1as", "k", "1"},
        {"[s]\r\nk=0\r\n", "s", std::string("k\0x", 3), "1"},
        {utf16, "s", "k", "\xFF"},
        {utf16, "s", "k\xC3", "1"},
        {utf16, "s", "k", "\xC0\x80"},
    };
    TTemp_Dir dir;
    for (const auto& c : cases) {
        TProfile_File file(dir.Write("vocahora.ini", c.before));
        EXPECT_THROW(file.Write_String(c.section, c.key, c.value), EHoravoxError) << c.key << c.value;
        EXPECT_EQ(file.Contents(), c.before);
    }
}

}  // namespace
