#include "platform/Files_Safe_Write.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The directory part of `path`, "." when it has none.
std::string Directory_Of(const std::string& path)
{
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool Write_Whole(int fd, const std::string& contents)
{
    std::size_t written = 0;
    while (written < contents.size()) {
        auto n = ::write(fd, contents.data() + written, contents.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// Creates a fresh file beside `target`; a name left behind by a crashed save,
// or in use by another copy of the program saving at the same moment, is skipped.
int Create_Temporary(const std::string& target, mode_t mode, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + "." + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Makes the rename itself survive a power cut; the data is safe without it.
void Sync_Directory(const std::string& directory)
{
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool Write_File_Safely(const std::string& path, const std::string& contents)
{
    std::string target = path;
    char resolved[PATH_MAX];
    struct stat link;
    if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode) && ::realpath(path.c_str(), resolved))
        target = resolved;

    struct stat existing;
    bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return false;
    // The owner's write bit is tested as well as access(): for root, access()
    // grants writing to a file that its owner marked read-only.
    if (exists && (!S_ISREG(existing.st_mode) || !(existing.st_mode & S_IWUSR) || ::access(target.c_str(), W_OK) != 0))
        return false;

    std::string temporary;
    int fd = Create_Temporary(target, exists ? S_IRUSR | S_IWUSR : 0666, temporary);
    if (fd < 0)
        return false;
    bool ok = (!exists || ::fchmod(fd, existing.st_mode & 07777) == 0) && Write_Whole(fd, contents) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    Sync_Directory(Directory_Of(target));
    return true;
}
