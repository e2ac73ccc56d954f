#include "clock/Clock_Arguments.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

TEST(Clock_Arguments, Each_Command_Line_Reads_As_Meant)
{
    const struct {
        std::vector<std::string> arguments;
        bool say_now;
        bool help;
        std::string error;
    } cases[] = {
        {{"horavox"}, false, false, ""},
        {{"horavox", "--say-now"}, true, false, ""},
        {{"horavox", "--help"}, false, true, ""},
        {{"horavox", "--say-now", "-h"}, true, true, ""},
        {{"horavox", "--say-now", "now"}, true, false, "unknown option 'now'"},
        {{"horavox", "--saynow"}, false, false, "unknown option '--saynow'"},
        {{}, false, false, ""},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& argument : c.arguments)
            line += argument + " ";
        const TClock_Arguments parsed = Parse_Clock_Arguments(c.arguments);
        EXPECT_EQ(parsed.say_now, c.say_now) << line;
        EXPECT_EQ(parsed.help, c.help) << line;
        EXPECT_EQ(parsed.error, c.error) << line;
    }
}

}  // namespace
