#pragma once
#include <string>
#include <vector>

// One row of the directory chooser's list.
struct TDirectory_Row {
    std::string name;   // what the row reads: the directory's own name, "/" for the root
    std::string path;   // the full path a move to this row goes to
    int level = 0;      // indentation steps
    bool open = false;  // an open folder: the current directory or one above it
    bool hidden = false;  // the name begins with "."

    bool operator==(const TDirectory_Row&) const = default;
};

// The rows that show `directory` (a full path): one open row per level from
// the root ("/", or a drive's "C:\\") down to the directory itself, then its subdirectories one level deeper:
// the ordinary ones sorted, then the hidden ones (a leading "."), sorted too,
// so that ~/.local can be reached without crowding the names a user looks
// for. The current directory's row is the last open one.
std::vector<TDirectory_Row> Directory_Rows(const std::string& directory, std::vector<std::string> subdirectories);

// Moves the process into `directory` for the chooser and gives the names of
// its subdirectories. A directory that cannot be read or entered throws
// "I/O error <the system's number>", and the working directory stays.
std::vector<std::string> Enter_Directory(const std::string& directory);
