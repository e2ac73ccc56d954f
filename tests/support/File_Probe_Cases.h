#pragma once
#include <string>
#include <utility>
#include <vector>

// What File_Open_Status answers, on every system, for paths in `directory`
// (ending in its delimiter), which holds the file "vocahora.ini", in use by
// nobody, and the directory "sub".
inline std::vector<std::pair<std::string, std::string>> File_Probe_Cases(const std::string& directory)
{
    return {
        {"", ""},
        {directory + "missing.ini", ""},
        {std::string(128, 'x'), "CLOSED"},  // too long to probe
        {directory + "vocahora.ini", "CLOSED"},
        {directory + "VOCAHORA.INI", "CLOSED"},
        {directory + "sub", "ERROR"},
    };
}
