#include "system/Files_Settings_Home.h"

#include <cstdlib>

#include <windows.h>

const char Installed_Marker_Name[] = "installed";

// The settings file lives beside the executable, as it always has, unless
// the installer left its marker there: an installed copy keeps it in the
// user's application data folder, since Program Files cannot be written.
bool Program_Directory_Is_Settings_Home(const std::string& program_directory)
{
    return GetFileAttributesA((program_directory + Installed_Marker_Name).c_str()) == INVALID_FILE_ATTRIBUTES;
}

std::string Environment_Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string User_Home_Directory()
{
    return Environment_Variable("USERPROFILE");
}

std::string Application_Data_Directory()
{
    return Environment_Variable("APPDATA");
}
