#include "platform/File_Probe.h"

#include "platform/Files.h"

#include <windows.h>

namespace {

// Longer paths are reported free without a probe; the probe's path buffer ends here.
constexpr std::string::size_type Probe_Path_Limit = 128;

std::string Status_Of_Error(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NOT_READY:
    case ERROR_NOT_DOS_DISK:
    case ERROR_SECTOR_NOT_FOUND:
        return "NOT FOUND";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "OPEN";
    default:
        return "ERROR";
    }
}

// Opens read-write with no sharing, as another program holding the file would
// prevent, without the system's critical-error boxes; closes at once.
std::string Probe(const std::string& path)
{
    const UINT previous_mode = SetErrorMode(SEM_FAILCRITICALERRORS);
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = GetLastError();
    SetErrorMode(previous_mode);
    if (handle == INVALID_HANDLE_VALUE)
        return Status_Of_Error(error);
    CloseHandle(handle);
    return "CLOSED";
}

}  // namespace

std::string File_Open_Status(const std::string& path)
{
    if (path.empty())
        return {};
    if (path.size() >= Probe_Path_Limit)
        return "CLOSED";
    if (!File_Exists(path))
        return {};
    return Probe(path);
}

bool Delete_Closed_File(const std::string& path)
{
    if (!File_Exists(path))
        return false;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (File_Open_Status(path) == "CLOSED")
        DeleteFileA(path.c_str());
    return !File_Exists(path);
}
