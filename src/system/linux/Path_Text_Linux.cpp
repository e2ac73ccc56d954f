#include "system/Path_Text.h"

// Names are bytes here, whatever they hold.
std::filesystem::path Path_Of(const std::string& name)
{
    return std::filesystem::path(name);
}

std::string Name_Of(const std::filesystem::path& path)
{
    return path.string();
}
