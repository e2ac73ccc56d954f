#include "qt/Clock_Arguments.h"

const char* const Clock_Usage =
    "usage: horavox [--say-now]\n"
    "\n"
    "Starts the talking clock. When a clock that uses the same settings file is\n"
    "running already, its window is brought to the front instead.\n"
    "\n"
    "  --say-now  make the running clock say the time at once, as a click on its\n"
    "             face does (start the clock first when none is running); bind it\n"
    "             to a keyboard shortcut to hear the time without the window\n"
    "  --help     show this text\n";

TClock_Arguments Parse_Clock_Arguments(const QStringList& arguments)
{
    TClock_Arguments parsed;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--say-now")
            parsed.say_now = true;
        else if (argument == "--help" || argument == "-h")
            parsed.help = true;
        else {
            parsed.error = QString("unknown option '%1'").arg(argument);
            break;
        }
    }
    return parsed;
}
