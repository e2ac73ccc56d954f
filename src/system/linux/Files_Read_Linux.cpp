#include "system/Files_Read.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TFile_Read Read_Regular_File(const std::string& path, std::string& contents)
{
    contents.clear();
    // O_NONBLOCK makes the open of a FIFO return at once; fstat then refuses it.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? TFile_Read::Missing : TFile_Read::Unreadable;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return TFile_Read::Unreadable;
    }
    char buffer[65536];
    for (;;) {
        auto n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            contents.clear();
            return TFile_Read::Unreadable;
        }
        if (n == 0)
            break;
        contents.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return TFile_Read::Read;
}
