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
        bool close;
        bool help;
        std::string error;
    } cases[] = {
        {{"horavox"}, false, false, false, ""},
        {{"horavox", "--say-now"}, true, false, false, ""},
        {{"horavox", "--help"}, false, false, true, ""},
        {{"horavox", "--say-now", "-h"}, true, false, true, ""},
        {{"horavox", "--say-now", "now"}, true, false, false, "unknown option 'now'"},
        {{"horavox", "--saynow"}, false, false, false, "unknown option '--saynow'"},
        {{"horavox", "--close"}, false, true, false, ""},
        {{"horavox", "--close", "--say-now"}, true, true, false, "--close and --say-now cannot be given together"},
        {{}, false, false, false, ""},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& argument : c.arguments)
            line += argument + " ";
        const TClock_Arguments parsed = Parse_Clock_Arguments(c.arguments);
        EXPECT_EQ(parsed.say_now, c.say_now) << line;
        EXPECT_EQ(parsed.close, c.close) << line;
        EXPECT_EQ(parsed.help, c.help) << line;
        EXPECT_EQ(parsed.error, c.error) << line;
    }
}

}  // namespace
