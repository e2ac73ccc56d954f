#include "system/Files.h"
#include "system/Files_System.h"

#include <filesystem>
#include <system_error>

const char Path_Delimiter[] = "/";

std::string Executable_Path()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

std::string Program_Directory()
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    // Without /proc the working directory is the best remaining guess.
    fs::path directory = error ? fs::current_path(error) : executable.parent_path();
    std::string text = error ? std::string(".") : directory.string();
    if (text.back() != '/')
        text += '/';
    return text;
}

std::filesystem::path Spelled_As_On_Disk(const std::filesystem::path& path)
{
    return path;
}
