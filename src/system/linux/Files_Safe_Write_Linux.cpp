#include "system/Files_Safe_Write.h"
#include "system/Files_Temporary_Name.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

namespace {

// The directory part of `path`, "." when it has none.
std::string Directory_Of(const std::string& path)
{
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Base_Name_Of(const std::string& path)
{
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save through `path` must replace: a symbolic link, or a chain of
// them, is followed to the name it points at, even when nothing is there yet,
// so that the link itself stays a link. False for a loop of links.
bool Save_Target(const std::string& path, std::string& target)
{
    target = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat link;
        if (::lstat(target.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
            return true;
        char buffer[PATH_MAX];
        auto length = ::readlink(target.c_str(), buffer, sizeof buffer);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
            if (length >= 0)
                errno = ENAMETOOLONG;
            return false;
        }
        std::string next(buffer, static_cast<std::size_t>(length));
        target = next.front() == '/' ? next : Directory_Of(target) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

// A save killed half-way leaves its temporary file behind. Those of processes
// that are gone (or of this one, whose own save has finished) are removed; a
// copy of the program saving at this moment keeps its own.
void Remove_Stale_Temporaries(const std::string& target)
{
    const std::string directory = Directory_Of(target);
    const std::string target_name = Base_Name_Of(target);
    DIR* listing = ::opendir(directory.c_str());
    if (listing == nullptr)
        return;
    while (const dirent* entry = ::readdir(listing)) {
        const auto owner = static_cast<pid_t>(Temporary_Owner(entry->d_name, target_name));
        if (owner <= 0)
            continue;
        if (owner == ::getpid() || (::kill(owner, 0) != 0 && errno == ESRCH))
            ::unlinkat(::dirfd(listing), entry->d_name, 0);
    }
    ::closedir(listing);
}

bool Write_Whole(int fd, const std::string& contents)
{
    std::size_t written = 0;
    while (written < contents.size()) {
        auto n = ::write(fd, contents.data() + written, contents.size() - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
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
    std::string target;
    if (!Save_Target(path, target))
        return false;

    struct stat existing;
    bool exists = ::stat(target.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return false;
    if (exists && !S_ISREG(existing.st_mode)) {
        errno = S_ISDIR(existing.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    // The owner's write bit is tested as well as access(): for root, access()
    // grants writing to a file that its owner marked read-only.
    if (exists && !(existing.st_mode & S_IWUSR)) {
        errno = EACCES;
        return false;
    }
    if (exists && ::access(target.c_str(), W_OK) != 0)
        return false;

    std::string temporary;
    int fd = Create_Temporary(target, exists ? S_IRUSR | S_IWUSR : 0666, temporary);
    if (fd < 0)
        return false;
    bool ok = (!exists || ::fchmod(fd, existing.st_mode & 07777) == 0) && Write_Whole(fd, contents) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        errno = error;
        return false;
    }
    Sync_Directory(Directory_Of(target));
    Remove_Stale_Temporaries(target);
    return true;
}
