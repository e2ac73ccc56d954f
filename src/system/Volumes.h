#pragma once
#include <string>
#include <vector>

// The drives and directories the directory chooser walks. On Linux a drive is
// a mounted volume named by its mount point, "/" first.

// Mount points of the volumes a user can browse for files, read from the text
// of a mounts table (one "device mount-point type options ..." line each, blanks
// in names written as octal escapes such as "\040"). "/" always comes first,
// the others follow sorted by mount point, each once. Kernel pseudo file
// systems and mounts inside /proc, /sys, /dev and /snap hold no user files and
// are left out; lines that are not mount entries are ignored.
std::vector<std::string> Browsable_Mount_Points(const std::string& mounts_table);

// The volume among `mount_points` that holds `directory` (a full path): the
// longest mount point that is the directory or one of its ancestors; "/" when
// none is.
std::string Volume_Holding(const std::string& directory, const std::vector<std::string>& mount_points);

// The machine's browsable volumes now, as Browsable_Mount_Points gives them,
// keeping only mount points that are directories. Never empty: "/" at least.
std::vector<std::string> Mounted_Volumes();

// The names of the subdirectories of `directory`, in no particular order,
// without "." and "..". A symbolic link to a directory counts as one.
struct TSubdirectory_Listing {
    int error = 0;  // the system's error number when the directory cannot be read, else 0
    std::vector<std::string> names;
};
TSubdirectory_Listing Read_Subdirectories(const std::string& directory);

// Makes `directory` the process's working directory; 0 or the system's error number.
int Change_Working_Directory(const std::string& directory);

// The process's working directory as a full path; "/" when it is unknown
// (removed since the process entered it, for instance).
std::string Working_Directory();
