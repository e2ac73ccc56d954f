#include "system/File_Probe_System.h"

#include <windows.h>

namespace {

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

}  // namespace

// Opens read-write with no sharing, as another program holding the file would
// prevent, without the system's critical-error boxes; closes at once.
std::string Probe_Exclusive_Open(const std::string& path)
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

void Clear_File_Attributes(const std::string& path)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}
