#pragma once
#include <string>

#include "system/Run_Values.h"
#include "util/Message_Boxes.h"

// Starting the clock at log-on: one value named after the executable's file
// name, holding its full path, in the system's list of programs started at
// log-on. The value is the truth; the menu's check mark only shows it.
class TAuto_Run {
public:
    TAuto_Run(TRun_Key key, std::string executable_path, TMessage_Boxes& boxes);

    // Each shows its confirmation on success; a failure has been shown already.
    bool Add_To_Auto_Run();
    bool Remove_From_Auto_Run();
    // Whether an entry exists. An entry that names another copy of the
    // program asks whether to point it at this one.
    bool Check_Auto_Run_Entry();

private:
    TRun_Key key_;
    std::string executable_path_;
    std::string file_name_;
    TMessage_Boxes& boxes_;
};

// Paths compare with the letters a to z alone folded to capitals.
bool Same_Path_Ignoring_A_To_Z_Case(const std::string& a, const std::string& b);
