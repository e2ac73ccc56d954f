#pragma once
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>

// Local (AF_UNIX) stream sockets, the few calls the clocks need to find each
// other. Every descriptor is close-on-exec and has one owner.

class TUnique_Fd {
public:
    TUnique_Fd() = default;
    explicit TUnique_Fd(int fd) : fd_(fd) {}
    ~TUnique_Fd() { Reset(); }
    TUnique_Fd(TUnique_Fd&& other) noexcept : fd_(other.Release()) {}
    TUnique_Fd& operator=(TUnique_Fd&& other) noexcept;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    int Release();
    void Reset(int fd = -1);

private:
    int fd_ = -1;
};

using TDeadline = std::chrono::steady_clock::time_point;

// The longest path a socket address holds with its terminating zero. A longer
// one is refused rather than cut, since the cut path may name another socket.
std::size_t Max_Local_Socket_Path();

// A non-blocking socket listening on a path, which only its user may use. Its
// file goes with it, unless another socket has taken the name meanwhile.
class TLocal_Listener {
public:
    TLocal_Listener() = default;
    ~TLocal_Listener() { Close(); }
    TLocal_Listener(const TLocal_Listener&) = delete;
    TLocal_Listener& operator=(const TLocal_Listener&) = delete;

    // Replaces a socket file that nobody listens on any more (its process was
    // killed); a socket somebody listens on, or a file of another kind, stays.
    // False with `error` saying why when it cannot listen.
    bool Listen(const std::string& path, std::string& error);
    void Close();
    int Fd() const { return socket_.Get(); }

private:
    TUnique_Fd socket_;
    std::string path_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

// The next waiting connection, non-blocking; invalid when none waits or the
// accept failed (errno tells which).
TUnique_Fd Accept_Local(int listener);

enum class TLocal_Connect {
    Connected,
    Nobody_Listens,  // no socket there, a dead one, or a path that cannot name one
    Busy,            // somebody listens but did not take the connection in time
};
TLocal_Connect Connect_Local(const std::string& path, std::chrono::milliseconds timeout, TUnique_Fd& socket);

enum class TLocal_Read { Data, Would_Block, Closed };
// Appends what has arrived on `fd` to `buffer` without waiting, never letting
// the buffer grow past `limit` bytes. A reset connection counts as closed.
TLocal_Read Read_Available(int fd, std::string& buffer, std::size_t limit);

// Waits until `fd` has something to read, or its peer has gone, or `deadline` passes.
bool Wait_Readable(int fd, TDeadline deadline);

// Sends all of `data` before `deadline`. A peer that has gone fails the send
// and never raises SIGPIPE.
bool Send_All(int fd, std::string_view data, TDeadline deadline);
