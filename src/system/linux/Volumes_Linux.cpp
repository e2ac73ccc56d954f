#include "system/Volumes.h"

#include <cerrno>
#include <fstream>
#include <sstream>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Is_Directory(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string Child_Path(const std::string& directory, const std::string& name)
{
    return directory.back() == '/' ? directory + name : directory + "/" + name;
}

}  // namespace

std::vector<std::string> Mounted_Volumes()
{
    std::ifstream table("/proc/self/mounts");
    std::ostringstream text;
    text << table.rdbuf();
    std::vector<std::string> volumes;
    // Containers bind single files (/etc/hosts) as mounts; only directories can be browsed.
    for (auto& mount_point : Browsable_Mount_Points(text.str()))
        if (mount_point == "/" || Is_Directory(mount_point))
            volumes.push_back(std::move(mount_point));
    return volumes;
}

TSubdirectory_Listing Read_Subdirectories(const std::string& directory)
{
    TSubdirectory_Listing listing;
    DIR* stream = ::opendir(directory.c_str());
    if (stream == nullptr) {
        listing.error = errno;
        return listing;
    }
    while (const dirent* entry = ::readdir(stream)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const bool directory_entry = entry->d_type == DT_DIR ||
                                     ((entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) &&
                                      Is_Directory(Child_Path(directory, name)));
        if (directory_entry)
            listing.names.push_back(name);
    }
    ::closedir(stream);
    return listing;
}

int Change_Working_Directory(const std::string& directory)
{
    return ::chdir(directory.c_str()) == 0 ? 0 : errno;
}

std::string Working_Directory()
{
    std::string buffer(256, '\0');
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr)
            break;
        if (errno != ERANGE)
            return "/";
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    // Linux marks a directory that is no longer reachable from the root this way.
    if (buffer.empty() || buffer.front() != '/')
        return "/";
    return buffer;
}
