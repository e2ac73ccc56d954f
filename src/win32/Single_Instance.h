#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "clock/Clock_Requests.h"

// One clock per settings file on Windows: the first clock owns a named pipe
// named from its settings file, and a later start hands its request to that
// clock through it. Owning a mutex of the same name is what makes a process
// the clock, so two clocks started at once cannot both win, and the name is
// free again the moment its clock ends, however it ended.

// "\\.\pipe\horavox-..." for the settings file at `settings_path` (UTF-8):
// every spelling of one file (relative, "..", "/", letter case) gives one name.
std::wstring Clock_Pipe_Name(const std::string& settings_path);

class TClock_Pipe_Server {
public:
    // A client that has not finished its line within `client_timeout` is dropped.
    explicit TClock_Pipe_Server(std::chrono::milliseconds client_timeout = std::chrono::seconds(1));
    ~TClock_Pipe_Server();
    TClock_Pipe_Server(const TClock_Pipe_Server&) = delete;
    TClock_Pipe_Server& operator=(const TClock_Pipe_Server&) = delete;

    // Runs on the GUI thread once the client has had its answer.
    std::function<void(TClock_Request)> On_Request;

    enum class TListen { Listening, Owned_By_Another, Failed };
    TListen Listen(const std::wstring& pipe_name);

private:
    struct TState;
    std::unique_ptr<TState> state_;
};

enum class THand_Over {
    Taken,      // a running clock took the request
    No_Clock,   // none runs: this process is the clock now, listening for later starts
    No_Answer,  // a clock owns the pipe but did not answer
};

// Hands `request` to the clock that owns `pipe_name`, or, when none does,
// makes `server` own it. Each step of the hand-over waits at most `answer_timeout`.
THand_Over Become_The_Clock(TClock_Pipe_Server& server, const std::wstring& pipe_name, TClock_Request request,
                            std::chrono::milliseconds answer_timeout = std::chrono::seconds(5));

// Asks the clock that owns `pipe_name` to close as its close box does and
// waits for its process to end: Taken once it has, No_Clock when none runs,
// No_Answer when it did not take the request or is still running at `timeout`
// (a box asking the user something, settings that could not be written).
THand_Over Close_Running_Clock(const std::wstring& pipe_name,
                               std::chrono::milliseconds timeout = std::chrono::seconds(10));
