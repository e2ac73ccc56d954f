#pragma once
#include <filesystem>
#include <string>

#include "system/Files.h"

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
// The whole content of a file, byte for byte; empty when it cannot be read.
std::string Read_File(const std::string& path);

class TTemp_Dir {
public:
    TTemp_Dir();
    ~TTemp_Dir();
    TTemp_Dir(const TTemp_Dir&) = delete;
    TTemp_Dir& operator=(const TTemp_Dir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The directory with a trailing delimiter, as the settings hold directories.
    std::string Dir() const { return path_.string() + Path_Delimiter; }
    // Creates (or replaces) the file `name` with `content`; returns its path.
    std::string Write(const std::string& name, const std::string& content = "") const;

private:
    std::filesystem::path path_;
};
