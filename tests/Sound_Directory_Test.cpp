#include <gtest/gtest.h>

#include "settings/Sound_Directory.h"
#include "support/Native_Path.h"

TEST(Sound_Directory_Test, A_Chosen_Directory_Ends_In_Exactly_One_Delimiter)
{
    const struct {
        const char* chosen;
        const char* stored;
    } cases[] = {
        {"/", "/"},
        {"/home/ann/voice", "/home/ann/voice/"},
        {"/home/ann/voice/", "/home/ann/voice/"},
        {"//srv//voice", "/srv/voice/"},
        {"/my sounds", "/my sounds/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sound_Directory_Text(Native_Delimiters(c.chosen)), Native_Delimiters(c.stored)) << c.chosen;
}
