#include "system/Volumes.h"

#include <windows.h>

#include "system/Path_Text.h"

namespace {

std::wstring Wide(const std::string& name)
{
    return Path_Of(name).wstring();
}

std::string Narrow(const std::wstring& name)
{
    return Name_Of(std::filesystem::path(name));
}

}  // namespace

// The drives Windows knows, "A:\" to "Z:\", ready or not: a drive that is
// not ready says so when it is chosen.
std::vector<std::string> Mounted_Volumes()
{
    std::vector<std::string> drives;
    const DWORD present = GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter)
        if (present & (1u << letter))
            drives.push_back(std::string(1, static_cast<char>('A' + letter)) + ":\\");
    if (drives.empty())
        drives.push_back("C:\\");
    return drives;
}

TSubdirectory_Listing Read_Subdirectories(const std::string& directory)
{
    TSubdirectory_Listing listing;
    std::wstring mask = Wide(directory);
    if (!mask.empty() && mask.back() != L'\\' && mask.back() != L'/')
        mask += L'\\';
    mask += L'*';
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(mask.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        // An empty drive's root has no entries at all, not even "." and "..".
        if (GetLastError() != ERROR_FILE_NOT_FOUND)
            listing.error = static_cast<int>(GetLastError());
        return listing;
    }
    do {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
            listing.names.push_back(Narrow(name));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return listing;
}

int Change_Working_Directory(const std::string& directory)
{
    return SetCurrentDirectoryW(Wide(directory).c_str()) ? 0 : static_cast<int>(GetLastError());
}

std::string Working_Directory()
{
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring buffer(length, L'\0');
    const DWORD written = GetCurrentDirectoryW(length, buffer.data());
    if (written == 0 || written >= length)
        return "C:\\";
    buffer.resize(written);
    return Narrow(buffer);
}
