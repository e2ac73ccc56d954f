#include "system/File_Probe_System.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace {

std::string Status_Of_Error(int error)
{
    if (error == ENOENT || error == ENOTDIR || error == ENXIO || error == ENODEV)
        return "NOT FOUND";
    if (error == EWOULDBLOCK || error == EAGAIN || error == EBUSY || error == ETXTBSY)
        return "OPEN";
    return "ERROR";
}

}  // namespace

// Opens read-write and takes an exclusive lock without waiting, as another
// program holding the file would prevent; releases both at once.
std::string Probe_Exclusive_Open(const std::string& path)
{
    int descriptor;
    do
        descriptor = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0)
        return Status_Of_Error(errno);

    int locked;
    do
        locked = ::flock(descriptor, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    const int lock_error = errno;
    if (locked == 0)
        ::flock(descriptor, LOCK_UN);
    ::close(descriptor);
    return locked == 0 ? "CLOSED" : Status_Of_Error(lock_error);
}

void Clear_File_Attributes(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add,
                                 ignored);
}
