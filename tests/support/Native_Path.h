#pragma once
#include <algorithm>
#include <string>

#include "system/Files.h"

// Test paths are written once, with "/", and spelled for the system under test.

// Each "/" becomes this system's Path_Delimiter.
inline std::string Native_Delimiters(std::string path)
{
    std::replace(path.begin(), path.end(), '/', Path_Delimiter[0]);
    return path;
}

// As Native_Delimiters, and a full path starts on drive C: where drives exist.
inline std::string Native_Path(const std::string& path)
{
    const std::string native = Native_Delimiters(path);
    return Path_Delimiter[0] == '\\' && native.starts_with('\\') ? "C:" + native : native;
}
