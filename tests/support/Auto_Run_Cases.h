#pragma once
#include <string>
#include <vector>

#include "support/Native_Path.h"

// The start-up check of the log-on entry on every system: the copy running
// from Auto_Run_Running_Path() finds an entry holding `stored`.
inline std::string Auto_Run_Running_Path()
{
    return Native_Path("/opt/My Clock/horavox");
}

struct TAuto_Run_Check_Case {
    std::string stored;
    bool asks;    // the moved-program question is shown
    bool answer;  // and answered Yes
    std::string after;
};

inline std::vector<TAuto_Run_Check_Case> Auto_Run_Check_Cases()
{
    const std::string upper = Native_Path("/opt/MY CLOCK/HORAVOX");
    const std::string moved = Native_Path("/old/place/horavox");
    // Only the letters a to z compare without regard to case.
    const std::string accented = Native_Path("/opt/My Clöck/horavox");
    return {
        {upper, false, false, upper},
        {moved, true, false, moved},
        {moved, true, true, Auto_Run_Running_Path()},
        {accented, true, false, accented},
    };
}

// The moved-program question for an entry holding `stored`.
inline std::string Auto_Run_Question(const std::string& stored)
{
    return "Warning|The directory / path settings required to make this program (horavox)\r\n"
           "run automatically at Windows Start-up do not match where the program \r\n"
           "is currently being run from.\r\n\r\n"
           " Old      = " + stored + "\r\n"
           " Current = " + Auto_Run_Running_Path() + "\r\n\r\n"
           "Do you want to update the Windows Registry to reflect the programs current locaton ?";
}
