#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "system/linux/Desktop_Entry.h"
#include "system/Files_Safe_Write.h"
#include "system/Run_Values.h"
#include "util/Horavox_Error.h"

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
    // A relative path is invalid and ignored, as the base directory rules say;
    // without either there is no folder at all, rather than one at the root.
    const auto absolute = [](const char* path) { return path != nullptr && path[0] == '/'; };
    const char* config_home = std::getenv("XDG_CONFIG_HOME");
    if (absolute(config_home))
        return {"", std::string(config_home) + "/autostart"};
    const char* home = std::getenv("HOME");
    if (absolute(home))
        return {"", std::string(home) + "/.config/autostart"};
    return {};
}

bool Write_Run_Value(const TRun_Key& key, const std::string& name, const std::string& data, TMessage_Boxes& boxes)
{
    if (Folder_Of(key).empty())
        throw EHoravoxError("There is no home directory to keep the log-on entry in: "
                            "neither XDG_CONFIG_HOME nor HOME names an absolute path");
    if (!Folder_Is_Writable(Folder_Of(key))) {
        boxes.Show_Error(Run_Value_Error_Text(TRun_Value_Error::Missing_Key_On_Write, key, name, data));
        return false;
    }
    // The folder is there and writable, so the key is not what is missing:
    // the system's own reason (a full disk, a directory in the entry's place) says more.
    const std::string entry = Entry_Path(key, name);
    if (!Write_File_Safely(entry, Autostart_Desktop_Entry(data)))
        throw EHoravoxError("Unable to write to " + entry + ": " + std::strerror(errno));
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
    // No folder, no entry: there is nothing to remove.
    if (folder.empty() || !fs::exists(folder, error))
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
    if (Folder_Of(key).empty())
        return {};
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
