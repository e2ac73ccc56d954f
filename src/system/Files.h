#pragma once
#include <string>
#include <vector>

// What the engine and settings need of the file system. Names are matched by
// exact spelling first, then without regard to letter case, because voice
// packs spell one file in different cases in different places.

// "/" on POSIX, "\\" on Windows.
extern const char Path_Delimiter[];

// The directory of the running executable, ending in Path_Delimiter.
std::string Program_Directory();

// The full path of the running executable, as the system reports it.
std::string Executable_Path();

// A regular file (not a directory) exists under `path`, by either spelling.
bool File_Exists(const std::string& path);

// A directory exists under `path` (a trailing delimiter is allowed).
bool Directory_Exists(const std::string& path);

// The path of the existing entry that `path` names, spelled as on disk, or an
// empty text when there is none. Only the last component is matched loosely.
std::string Resolve_Path(const std::string& path);

// Bare names of every entry (files, directories, hidden ones) in the directory
// part of `mask` whose name matches its last component; "*" and "?" are
// wildcards, letter case is ignored. In directory listing order; empty when the
// directory does not exist.
std::vector<std::string> Find_Matching_Entries(const std::string& mask);
