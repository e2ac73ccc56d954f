#pragma once
#include <string>

// The path of `name` in `directory`: the directory, a delimiter and the name,
// with every doubled delimiter collapsed (directories are kept with a trailing
// delimiter, so joining them would otherwise double it).
std::string Sound_File_Path(const std::string& directory, const std::string& name);
