#include "settings/Settings_Location.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "system/Files.h"
#include "system/Path_Text.h"
#include "system/Files_Safe_Write.h"
#include "system/Files_Settings_Home.h"

namespace {

const std::string file_name = "vocahora.ini";

std::string Without_Trailing_Slashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path == "/" ? "" : path;
}

// "C:\..." or "\\server\...": a relative %APPDATA% names no fixed place.
bool Is_Absolute_Windows_Path(const std::string& path)
{
    const auto is_delimiter = [](char character) { return character == '\\' || character == '/'; };
    if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
        is_delimiter(path[2]))
        return true;
    return path.size() >= 3 && is_delimiter(path[0]) && is_delimiter(path[1]);
}

// Spelled exactly: the settings file is never looked up by a loose spelling.
bool Is_File(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(Path_Of(path), error);
}

}  // namespace

TSettings_Location Choose_Settings_Location(const TSettings_Environment& environment)
{
    const std::string beside = environment.program_directory + file_name;
    if (environment.program_directory_is_home)
        return {beside, ""};
    if (!environment.app_data.empty()) {
        if (!Is_Absolute_Windows_Path(environment.app_data))
            return {beside, ""};
        std::string app_data = environment.app_data;
        while (app_data.size() > 3 && (app_data.back() == '\\' || app_data.back() == '/'))
            app_data.pop_back();
        if (app_data.back() != '\\' && app_data.back() != '/')
            app_data += '\\';
        return {app_data + "Horavox\\" + file_name, beside};
    }
    std::string config;
    if (environment.xdg_config_home.starts_with('/'))
        config = Without_Trailing_Slashes(environment.xdg_config_home);
    else if (environment.home.starts_with('/'))
        config = Without_Trailing_Slashes(environment.home) + "/.config";
    else
        return {beside, ""};
    return {config + "/horavox/" + file_name, beside};
}

TSettings_Location Settings_Location()
{
    TSettings_Environment environment;
    environment.program_directory = Program_Directory();
    environment.program_directory_is_home = Program_Directory_Is_Settings_Home(environment.program_directory);
    if (!environment.program_directory_is_home) {
        environment.xdg_config_home = Environment_Variable("XDG_CONFIG_HOME");
        environment.home = User_Home_Directory();
        environment.app_data = Application_Data_Directory();
    }
    return Choose_Settings_Location(environment);
}

std::string Settings_Read_Path(const TSettings_Location& location)
{
    if (location.seed_path.empty() || Is_File(location.path) || !Is_File(location.seed_path))
        return location.path;
    return location.seed_path;
}

void Prepare_Settings_File(const TSettings_Location& location)
{
    if (location.seed_path.empty())
        return;
    std::error_code error;
    std::filesystem::create_directories(Path_Of(location.path).parent_path(), error);
    if (error || std::filesystem::exists(Path_Of(location.path), error) || !Is_File(location.seed_path))
        return;
    std::ifstream seed(location.seed_path, std::ios::binary);
    if (!seed)
        return;
    std::string contents{std::istreambuf_iterator<char>(seed), std::istreambuf_iterator<char>()};
    Write_File_Safely(location.path, contents);
}
