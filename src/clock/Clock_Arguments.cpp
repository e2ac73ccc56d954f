#include "clock/Clock_Arguments.h"

const char* const Clock_Usage =
    "usage: horavox [--say-now | --close]\n"
    "\n"
    "Starts the talking clock. When a clock that uses the same settings file is\n"
    "running already, its window is brought to the front instead.\n"
    "\n"
    "  --say-now  make the running clock say the time at once, as a click on its\n"
    "             face does (start the clock first when none is running); bind it\n"
    "             to a keyboard shortcut to hear the time without the window\n"
    "  --close    close the running clock as its close box does, saving its\n"
    "             settings, and wait for it to end; nothing when none runs\n"
    "  --help     show this text\n";

TClock_Arguments Parse_Clock_Arguments(const std::vector<std::string>& arguments)
{
    TClock_Arguments parsed;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--say-now")
            parsed.say_now = true;
        else if (argument == "--close")
            parsed.close = true;
        else if (argument == "--help" || argument == "-h")
            parsed.help = true;
        else {
            parsed.error = "unknown option '" + argument + "'";
            break;
        }
    }
    if (parsed.error.empty() && parsed.close && parsed.say_now)
        parsed.error = "--close and --say-now cannot be given together";
    return parsed;
}
