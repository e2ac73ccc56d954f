#include "system/Files_Safe_Write.h"
#include "system/Files_Temporary_Name.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace {

std::string Directory_Of(const std::string& path)
{
    const auto delimiter = path.find_last_of("\\/");
    return delimiter == std::string::npos ? std::string() : path.substr(0, delimiter + 1);
}

bool Process_Is_Running(DWORD id)
{
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process == nullptr)
        return GetLastError() != ERROR_INVALID_PARAMETER;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

// A save killed half-way leaves its temporary file behind. Those of processes
// that are gone (or of this one, whose own save has finished) are removed; a
// copy of the program saving at this moment keeps its own.
void Remove_Stale_Temporaries(const std::string& target)
{
    const std::string directory = Directory_Of(target);
    const std::string target_name = target.substr(directory.size());
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((target + ".*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const auto owner = static_cast<DWORD>(Temporary_Owner(found.cFileName, target_name));
        if (owner != 0 && (owner == GetCurrentProcessId() || !Process_Is_Running(owner)))
            DeleteFileA((directory + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Creates a fresh file beside `target`; a name left behind by a crashed save,
// or in use by another copy of the program saving at the same moment, is skipped.
HANDLE Create_Temporary(const std::string& target, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt) + ".tmp";
        const HANDLE file =
            CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool Write_Whole(HANDLE file, const std::string& contents)
{
    std::size_t written = 0;
    while (written < contents.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(contents.size() - written, 1u << 30));
        DWORD done = 0;
        if (!WriteFile(file, contents.data() + written, chunk, &done, nullptr) || done == 0)
            return false;
        written += done;
    }
    return true;
}

}  // namespace

bool Write_File_Safely(const std::string& path, const std::string& contents)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND)
        return false;
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;

    std::string temporary;
    const HANDLE file = Create_Temporary(path, temporary);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool ok = Write_Whole(file, contents) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    // A hidden or system file stays so.
    if (ok && exists)
        SetFileAttributesA(temporary.c_str(), attributes);
    ok = ok && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    Remove_Stale_Temporaries(path);
    return true;
}
