#include "clock/Companion_Programs.h"

#include "system/Files.h"

std::string Readme_File_Path(const std::string& executable_path)
{
    const std::size_t name_start = executable_path.find_last_of(Path_Delimiter) + 1;
    const std::string name = executable_path.substr(name_start);
    return executable_path.substr(0, name_start) + name.substr(0, name.find('.')) + ".txt";
}

void Show_Readme_File(const std::string& executable_path, TMessage_Boxes& boxes)
{
    Show_Text_File(Readme_File_Path(executable_path), boxes);
}
