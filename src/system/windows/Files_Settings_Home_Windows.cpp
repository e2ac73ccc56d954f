#include "system/Files_Settings_Home.h"

#include <cstdlib>

// On Windows the settings file always lives beside the executable, where an
// installed copy may not write it: saving then says so, as it always has.
bool Program_Directory_Is_Settings_Home(const std::string&)
{
    return true;
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
