#include "system/Local_Socket.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>

namespace {

bool Make_Address(const std::string& path, sockaddr_un& address, std::string& error)
{
    if (path.empty() || path.size() > Max_Local_Socket_Path()) {
        error = "the socket path is " + std::to_string(path.size()) + " bytes long; it must be 1 to " +
                std::to_string(Max_Local_Socket_Path());
        return false;
    }
    address = {};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

const sockaddr* As_Generic(const sockaddr_un& address)
{
    return reinterpret_cast<const sockaddr*>(&address);
}

TUnique_Fd New_Socket()
{
    return TUnique_Fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
}

int Milliseconds_Until(TDeadline deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, 60'000));
}

// A socket file whose listener has died refuses connections; one that is busy
// or answers belongs to a live process.
bool Is_Dead_Socket(const std::string& path, const sockaddr_un& address, std::string& error)
{
    struct stat file;
    if (::lstat(path.c_str(), &file) != 0)
        return errno == ENOENT;
    if (!S_ISSOCK(file.st_mode)) {
        error = "a file that is not a socket is in the way";
        return false;
    }
    const TUnique_Fd probe = New_Socket();
    if (!probe.Valid()) {
        error = std::strerror(errno);
        return false;
    }
    if (::connect(probe.Get(), As_Generic(address), sizeof address) != 0 && errno == ECONNREFUSED)
        return true;
    error = "another process listens there";
    return false;
}

// Binds `socket` to `path`, replacing a dead socket left there.
bool Bind_Replacing_Dead(int socket, const std::string& path, const sockaddr_un& address, std::string& error)
{
    if (::bind(socket, As_Generic(address), sizeof address) == 0)
        return true;
    if (errno != EADDRINUSE) {
        error = std::strerror(errno);
        return false;
    }
    if (!Is_Dead_Socket(path, address, error))
        return false;
    ::unlink(path.c_str());
    if (::bind(socket, As_Generic(address), sizeof address) == 0)
        return true;
    error = std::strerror(errno);
    return false;
}

}  // namespace

TUnique_Fd& TUnique_Fd::operator=(TUnique_Fd&& other) noexcept
{
    if (this != &other)
        Reset(other.Release());
    return *this;
}

int TUnique_Fd::Release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void TUnique_Fd::Reset(int fd)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

std::size_t Max_Local_Socket_Path()
{
    return sizeof(sockaddr_un::sun_path) - 1;
}

bool TLocal_Listener::Listen(const std::string& path, std::string& error)
{
    Close();
    sockaddr_un address;
    if (!Make_Address(path, address, error))
        return false;
    TUnique_Fd socket = New_Socket();
    // Linux gives the socket file the mode of the socket itself, so the file
    // is the user's alone from the moment it exists.
    if (!socket.Valid() || ::fchmod(socket.Get(), S_IRUSR | S_IWUSR) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (!Bind_Replacing_Dead(socket.Get(), path, address, error))
        return false;
    struct stat file;
    if (::stat(path.c_str(), &file) != 0 || ::listen(socket.Get(), SOMAXCONN) != 0) {
        error = std::strerror(errno);
        ::unlink(path.c_str());
        return false;
    }
    socket_ = std::move(socket);
    path_ = path;
    device_ = file.st_dev;
    inode_ = file.st_ino;
    return true;
}

void TLocal_Listener::Close()
{
    if (!socket_.Valid())
        return;
    struct stat file;
    if (::lstat(path_.c_str(), &file) == 0 && file.st_dev == device_ && file.st_ino == inode_)
        ::unlink(path_.c_str());
    socket_.Reset();
}

TUnique_Fd Accept_Local(int listener)
{
    return TUnique_Fd(::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
}

TLocal_Connect Connect_Local(const std::string& path, std::chrono::milliseconds timeout, TUnique_Fd& socket)
{
    sockaddr_un address;
    std::string error;
    if (!Make_Address(path, address, error))
        return TLocal_Connect::Nobody_Listens;
    // Blocking, so that a listener with a full queue is waited for; Linux
    // bounds that wait by the send timeout.
    socket.Reset(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    // A zero timeout would mean none at all.
    const auto wait = std::max(timeout, std::chrono::milliseconds(1));
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(wait);
    const timeval limit{static_cast<time_t>(seconds.count()),
                        static_cast<suseconds_t>(std::chrono::microseconds(wait - seconds).count())};
    if (!socket.Valid() || ::setsockopt(socket.Get(), SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit) != 0)
        return TLocal_Connect::Nobody_Listens;
    int result;
    do
        result = ::connect(socket.Get(), As_Generic(address), sizeof address);
    while (result != 0 && errno == EINTR);
    if (result == 0)
        return TLocal_Connect::Connected;
    const bool busy = errno == EAGAIN || errno == EINPROGRESS;
    socket.Reset();
    return busy ? TLocal_Connect::Busy : TLocal_Connect::Nobody_Listens;
}

TLocal_Read Read_Available(int fd, std::string& buffer, std::size_t limit)
{
    char chunk[512];
    const std::size_t room = std::min(sizeof chunk, limit - std::min(limit, buffer.size()));
    if (room == 0)
        return TLocal_Read::Would_Block;
    ssize_t count;
    do
        count = ::recv(fd, chunk, room, MSG_DONTWAIT);
    while (count < 0 && errno == EINTR);
    if (count > 0) {
        buffer.append(chunk, static_cast<std::size_t>(count));
        return TLocal_Read::Data;
    }
    return count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) ? TLocal_Read::Would_Block : TLocal_Read::Closed;
}

bool Wait_Readable(int fd, TDeadline deadline)
{
    for (;;) {
        pollfd watched{fd, POLLIN, 0};
        const int ready = ::poll(&watched, 1, Milliseconds_Until(deadline));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

bool Send_All(int fd, std::string_view data, TDeadline deadline)
{
    while (!data.empty()) {
        const ssize_t sent = ::send(fd, data.data(), data.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        if (sent > 0) {
            data.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return false;
        pollfd watched{fd, POLLOUT, 0};
        const int ready = ::poll(&watched, 1, Milliseconds_Until(deadline));
        if (ready == 0 || (ready < 0 && errno != EINTR))
            return false;
    }
    return true;
}
