#include "system/Files_Read.h"

#include <windows.h>

TFile_Read Read_Regular_File(const std::string& path, std::string& contents)
{
    contents.clear();
    // Without FILE_FLAG_BACKUP_SEMANTICS a directory does not open at all.
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? TFile_Read::Missing
                                                                               : TFile_Read::Unreadable;
    }
    // A pipe, a console or a device could keep the reader waiting: only disk files are read.
    bool read = GetFileType(file) == FILE_TYPE_DISK;
    char buffer[65536];
    DWORD length = 0;
    while (read && (read = ReadFile(file, buffer, sizeof buffer, &length, nullptr) != 0) && length > 0)
        contents.append(buffer, length);
    CloseHandle(file);
    if (!read) {
        contents.clear();
        return TFile_Read::Unreadable;
    }
    return TFile_Read::Read;
}
