#include "platform/File_Probe.h"

#include "platform/Files.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Paths this long are reported free without a probe, as the Windows probe,
// whose path buffer ends here, has always done.
constexpr std::string::size_type Probe_Path_Limit = 128;

std::string Status_Of_Error(int error)
{
    if (error == ENOENT || error == ENOTDIR || error == ENXIO || error == ENODEV)
        return "NOT FOUND";
    if (error == EWOULDBLOCK || error == EAGAIN || error == EBUSY || error == ETXTBSY)
        return "OPEN";
    return "ERROR";
}

// Opens read-write and takes an exclusive lock without waiting, as another
// program holding the file would prevent; releases both at once.
std::string Probe(const std::string& path)
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

}  // namespace

std::string File_Open_Status(const std::string& path)
{
    if (path.empty())
        return {};
    if (path.size() >= Probe_Path_Limit)
        return "CLOSED";
    const std::string existing = Resolve_Path(path);
    if (existing.empty())
        return {};
    return Probe(existing);
}

bool Delete_Closed_File(const std::string& path)
{
    const std::string existing = Resolve_Path(path);
    if (existing.empty())
        return false;
    std::error_code ignored;
    std::filesystem::permissions(existing, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ignored);
    if (File_Open_Status(existing) == "CLOSED")
        std::filesystem::remove(existing, ignored);
    return Resolve_Path(path).empty();
}
