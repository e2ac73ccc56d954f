#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "system/linux/Desktop_Entry.h"
#include "system/Files_Safe_Write.h"
#include "system/Run_Values.h"

namespace {

namespace fs = std::filesystem;

std::string Folder_Of(const TRun_Key& key)
{
    return key.root + key.key;
}

std::string Entry_Path(const TRun_Key& key, const std::string& name)
{
    return Folder_Of(key) + "/" + name + ".desktop";
}

// The folder is created when missing, as desktops do; it must end up a
// directory that this user can write.
bool Folder_Is_Writable(const std::string& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

TRun_Key Auto_Run_Key()
{
    const char* config_home = std::getenv("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the base directory rules say.
    if (config_home && config_home[0] == '/')
        return {"", std::string(config_home) + "/autostart"};
    const char* home = std::getenv("HOME");
    return {"", std::string(home ? home : "") + "/.config/autostart"};
}

bool Write_Run_Value(const TRun_Key& key, const std::string& name, const std::string& data, TMessage_Boxes& boxes)
{
    if (!Folder_Is_Writable(Folder_Of(key)) ||
        !Write_File_Safely(Entry_Path(key, name), Autostart_Desktop_Entry(data))) {
        boxes.Show_Error(Run_Value_Error_Text(TRun_Value_Error::Missing_Key_On_Write, key, name, data));
        return false;
    }
    if (Read_Run_Value(key, name) != data) {
        boxes.Show_Error(Run_Value_Error_Text(TRun_Value_Error::Write_Not_Verified, key, name, data));
        return false;
    }
    return true;
}

bool Delete_Run_Value(const TRun_Key& key, const std::string& name, TMessage_Boxes& boxes)
{
    const std::string folder = Folder_Of(key);
    std::error_code error;
    if (!fs::exists(folder, error))
        return true;
    if (!fs::is_directory(folder, error) || ::access(folder.c_str(), W_OK | X_OK) != 0) {
        boxes.Show_Error(Run_Value_Error_Text(TRun_Value_Error::Missing_Key_On_Delete, key, name));
        return false;
    }
    const std::string entry = Entry_Path(key, name);
    ::unlink(entry.c_str());
    if (fs::exists(fs::symlink_status(entry, error))) {
        boxes.Show_Error(Run_Value_Error_Text(TRun_Value_Error::Still_Present, key, name));
        return false;
    }
    return true;
}

std::string Read_Run_Value(const TRun_Key& key, const std::string& name)
{
    const std::string entry = Entry_Path(key, name);
    std::error_code error;
    // Never open a pipe or a device there: reading it could block for ever.
    if (!fs::is_regular_file(entry, error))
        return {};
    std::ifstream file(entry, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    const auto arguments = Desktop_Exec_Arguments(Desktop_Entry_Value(content.str(), "Desktop Entry", "Exec"));
    return arguments.empty() ? std::string() : arguments.front();
}
