#include "clock/Error_Text.h"

#include <gtest/gtest.h>

namespace {

TEST(Error_Text, Full_Stop_Only_After_Characters_That_Sort_After_It)
{
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"", ""},
        {"Unable to write to /tmp/vocahora.ini", "Unable to write to /tmp/vocahora.ini."},
        {"'-' is not a valid integer value", "'-' is not a valid integer value."},
        {"Error 263", "Error 263."},
        {"Already done.", "Already done."},
        {"Really?", "Really?."},  // "?" sorts after "."
        {"Stop!", "Stop!"},
        {"Trailing blank ", "Trailing blank "},
        {"Ends in a comma,", "Ends in a comma,"},
        {"path/", "path/."},
        {"(quoted)", "(quoted)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(With_Full_Stop(QString::fromUtf8(c.text)), QString::fromUtf8(c.shown)) << '"' << c.text << '"';
}

}  // namespace
