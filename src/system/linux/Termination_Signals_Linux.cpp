#include "system/Termination_Signals.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include <utility>

#include "util/Horavox_Error.h"

namespace {

// The write end of the pipe that carries signals into the event loop; a
// signal handler may do no more than write() to it.
volatile std::sig_atomic_t Signal_Write_End = -1;
int Signal_Read_End = -1;

constexpr int Watched_Signals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void On_Termination_Signal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = write(Signal_Write_End, &byte, 1);
}

}  // namespace

TTermination_Watch::TTermination_Watch(THandle_Watcher& watcher, std::function<void()> request_close,
                                       std::function<void()> end_program)
    : request_close_(std::move(request_close)), end_program_(std::move(end_program))
{
    int ends[2];
    if (Signal_Write_End != -1 || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0)
        throw EHoravoxError("Cannot watch for the end of the session");
    Signal_Read_End = ends[0];
    Signal_Write_End = ends[1];
    watch_ = watcher.Watch(Signal_Read_End, [this] {
        char bytes[16];
        while (read(Signal_Read_End, bytes, sizeof bytes) > 0) {
        }
        On_Signal();
    });
    struct sigaction action {};
    action.sa_handler = On_Termination_Signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal_number : Watched_Signals)
        sigaction(signal_number, &action, nullptr);
}

void TTermination_Watch::On_Signal()
{
    if (closing_) {
        insisted_ = true;
        return;
    }
    closing_ = true;
    try {
        request_close_();
    } catch (...) {
        closing_ = false;
        throw;
    }
    closing_ = false;
    if (std::exchange(insisted_, false))
        end_program_();
}

TTermination_Watch::~TTermination_Watch()
{
    for (int signal_number : Watched_Signals)
        std::signal(signal_number, SIG_DFL);
    watch_.reset();
    close(Signal_Read_End);
    close(Signal_Write_End);
    Signal_Read_End = -1;
    Signal_Write_End = -1;
}
