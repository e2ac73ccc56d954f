#include "qt/Error_Text.h"

#include <gtest/gtest.h>

TEST(Error_Text, Full_Stop_Only_After_Characters_That_Sort_After_It)
{
    const struct {
        const char *text, *shown;
    } cases[] = {
        {"", ""},         {"Unable to write to /x.ini", "Unable to write to /x.ini."}, {"Error 263", "Error 263."},
        {"Done.", "Done."}, {"Really?", "Really?."} /* "?" sorts after "." */, {"Stop!", "Stop!"},
        {"Blank ", "Blank "}, {"Comma,", "Comma,"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(With_Full_Stop(c.text), c.shown);
}
