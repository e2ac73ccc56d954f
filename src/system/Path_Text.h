#pragma once
#include <filesystem>
#include <string>

// The program's texts, file names among them, are UTF-8. std::filesystem on
// Windows reads a narrow name otherwise (mingw's library takes each byte for
// a letter), so names cross between the two through these.
std::filesystem::path Path_Of(const std::string& name);
std::string Name_Of(const std::filesystem::path& path);
