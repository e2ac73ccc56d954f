#pragma once
#include <filesystem>

// What each system does for the file helpers of Files.h.

// `path`, an existing entry, with its last component spelled as on disk. Where
// names match only with the same spelling (POSIX) it is `path` itself.
std::filesystem::path Spelled_As_On_Disk(const std::filesystem::path& path);
