#pragma once
#include <string>
#include <vector>

// What the command line asks of the clock. On Linux Qt's own options
// (-platform, -style ...) are taken out before this sees them.
struct TClock_Arguments {
    bool say_now = false;
    // Close the running clock and start none.
    bool close = false;
    bool help = false;
    std::string error;  // empty when the line was understood
};

// `arguments` in UTF-8, the program's name first.
TClock_Arguments Parse_Clock_Arguments(const std::vector<std::string>& arguments);

extern const char* const Clock_Usage;
