#include "system/Files.h"
#include "system/Files_System.h"

#include <windows.h>

const char Path_Delimiter[] = "\\";

std::string Executable_Path()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        // A full buffer may hold a cut path: try again with room to spare.
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string Program_Directory()
{
    const std::string executable = Executable_Path();
    const auto delimiter = executable.find_last_of("\\/");
    // Without the executable's path the working directory is the best remaining guess.
    if (delimiter == std::string::npos)
        return ".\\";
    return executable.substr(0, delimiter + 1);
}

// Names match in any letter case here; the directory entry tells how the name is spelled.
std::filesystem::path Spelled_As_On_Disk(const std::filesystem::path& path)
{
    const std::wstring name = path.filename().wstring();
    if (name.empty() || name.find_first_of(L"*?") != std::wstring::npos)
        return path;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return path;
    FindClose(search);
    return path.parent_path() / found.cFileName;
}
