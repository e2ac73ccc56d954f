#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "clock/Menu_Bar_Memory.h"

namespace {

TEST(Menu_Bar_Memory, LivesInTheUsersCacheDirectory)
{
    const struct {
        std::string xdg_cache_home, home, expected;
    } cases[] = {
        {"/var/cache/me", "/home/me", "/var/cache/me/horavox/menu-bar"},
        {"", "/home/me", "/home/me/.cache/horavox/menu-bar"},
        // A relative directory counts as unset.
        {"cache", "/home/me", "/home/me/.cache/horavox/menu-bar"},
        {"", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Menu_Bar_Memory_Path(c.xdg_cache_home, c.home), c.expected) << c.xdg_cache_home;
}

TEST(Menu_Bar_Memory, GivesTheHeightOnlyForItsOwnKeyAndAnUndamagedLine)
{
    const std::string key = "1.0 xcb Sans Serif,9 96";
    const struct {
        std::string file_text;
        std::optional<int> expected;
    } cases[] = {
        {Menu_Bar_Memory_Text(key, 19), 19},
        {Menu_Bar_Memory_Text(key, 1000), 1000},
        {Menu_Bar_Memory_Text("1.0 xcb Sans Serif,10 96", 19), std::nullopt},
        {Menu_Bar_Memory_Text(key + " 2", 19), std::nullopt},
        {Menu_Bar_Memory_Text(key.substr(1), 19), std::nullopt},
        {key + "\t19", std::nullopt},  // cut short
        {key + "\t\n", std::nullopt},
        {key + "\t19x\n", std::nullopt},
        {key + "\t 19\n", std::nullopt},
        {key + "\t0\n", std::nullopt},
        {key + "\t-19\n", std::nullopt},
        {key + "\t1001\n", std::nullopt},
        {key + "\t99999999999999999999\n", std::nullopt},
        {key + "\t19\n" + key + "\t20\n", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Remembered_Menu_Bar_Height(c.file_text, key), c.expected) << c.file_text;
}

// A font's name may hold a tab or a line's end; the key is still read back whole.
TEST(Menu_Bar_Memory, KeyWithTabsAndLineEndsReadsBack)
{
    const std::string key = "odd\tfont\nname\t9";
    EXPECT_EQ(Remembered_Menu_Bar_Height(Menu_Bar_Memory_Text(key, 23), key), 23);
    EXPECT_EQ(Remembered_Menu_Bar_Height(Menu_Bar_Memory_Text(key, 23), "odd"), std::nullopt);
}

}  // namespace
