#include "clock/Auto_Run.h"

#include <algorithm>
#include <utility>

#include "system/Files.h"

TAuto_Run::TAuto_Run(TRun_Key key, std::string executable_path, TMessage_Boxes& boxes)
    : key_(std::move(key)), executable_path_(std::move(executable_path)), boxes_(boxes)
{
    file_name_ = executable_path_.substr(executable_path_.find_last_of(Path_Delimiter) + 1);
}

bool TAuto_Run::Add_To_Auto_Run()
{
    if (!Write_Run_Value(key_, file_name_, executable_path_, boxes_))
        return false;
    boxes_.Show_Information("This program (" + file_name_ + ") will now run automatically at Windows Start-Up.");
    return true;
}

bool TAuto_Run::Remove_From_Auto_Run()
{
    if (!Delete_Run_Value(key_, file_name_, boxes_))
        return false;
    boxes_.Show_Information("This program (" + file_name_ +
                            ") will now no-longer run automatically at Windows Start-Up.");
    return true;
}

bool TAuto_Run::Check_Auto_Run_Entry()
{
    const std::string stored = Read_Run_Value(key_, file_name_);
    if (stored.empty())
        return false;
    if (Same_Path_Ignoring_A_To_Z_Case(stored, executable_path_))
        return true;
    const std::string question =
        "The directory / path settings required to make this program (" + file_name_ + ")\r\n"
        "run automatically at Windows Start-up do not match where the program \r\n"
        "is currently being run from.\r\n"
        "\r\n"
        " Old      = " + stored + "\r\n"
        " Current = " + executable_path_ + "\r\n"
        "\r\n"
        "Do you want to update the Windows Registry to reflect the programs current locaton ?";
    if (boxes_.Ask_Warning(question))
        Add_To_Auto_Run();
    return true;
}

bool Same_Path_Ignoring_A_To_Z_Case(const std::string& a, const std::string& b)
{
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&upper](char x, char y) { return upper(x) == upper(y); });
}
