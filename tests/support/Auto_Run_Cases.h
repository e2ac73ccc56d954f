#pragma once
#include <functional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "clock/Auto_Run.h"
#include "system/Run_Values.h"
#include "support/Fake_Message_Boxes.h"
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

// Runs the start-up check of `auto_run`, which runs from Auto_Run_Running_Path()
// with its entry under `key`, once for every case; `store` puts the case's
// entry in place.
inline void Expect_Every_Auto_Run_Check_Case(TAuto_Run& auto_run, const TRun_Key& key, TFake_Message_Boxes& boxes,
                                             const std::function<void(const std::string&)>& store)
{
    for (const auto& c : Auto_Run_Check_Cases()) {
        store(c.stored);
        boxes.Shown.clear();
        boxes.Answer = c.answer;
        EXPECT_TRUE(auto_run.Check_Auto_Run_Entry()) << c.stored;
        EXPECT_EQ(Read_Run_Value(key, "horavox"), c.after) << c.stored;
        if (!c.asks) {
            EXPECT_THAT(boxes.Shown, testing::IsEmpty());
            continue;
        }
        ASSERT_FALSE(boxes.Shown.empty());
        EXPECT_EQ(boxes.Shown.front(), Auto_Run_Question(c.stored));
        EXPECT_EQ(boxes.Shown.size(), c.answer ? 2U : 1U) << c.stored;
    }
}
