#pragma once
#include <string>
#include <vector>

// A directory as the program lookups use it: blanks and control characters
// trimmed, exactly one trailing delimiter. Empty for an empty text and for a
// lone delimiter, ".", "..", "./" and "../", which name no fixed place.
std::string Normalise_Directory(const std::string& text);

// The full path of the first executable file called `name` in the
// directories of the search path `path_list` ("/usr/local/bin:/usr/bin");
// empty when there is none. Only absolute directories are searched, so a
// program is never picked up from wherever the working directory happens to be.
std::string Find_Program(const std::string& name, const std::string& path_list);

// Starts `program` on its own, without a shell, each argument passed as it
// is; the program runs on after this one ends. False when it did not start.
bool Start_Detached(const std::string& program, const std::vector<std::string>& arguments);
