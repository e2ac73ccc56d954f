#include "system/Files_Settings_Home.h"

#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

const char Installed_Marker_Name[] = "installed";

bool Program_Directory_Is_Settings_Home(const std::string& program_directory)
{
    struct stat directory;
    if (::stat(program_directory.c_str(), &directory) != 0 || !(directory.st_mode & S_IWUSR) ||
        ::access(program_directory.c_str(), W_OK) != 0)
        return false;
    struct stat marker;
    return ::lstat((program_directory + Installed_Marker_Name).c_str(), &marker) != 0;
}

std::string Environment_Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Application_Data_Directory()
{
    return {};
}

std::string User_Home_Directory()
{
    std::string home = Environment_Variable("HOME");
    if (!home.empty())
        return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}
