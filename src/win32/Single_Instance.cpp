#include "win32/Single_Instance.h"

#include <cstdlib>
#include <thread>
#include <utility>

#include <windows.h>

#include "win32/Message_Relay.h"
#include "win32/Win32_Text.h"

namespace {

using std::chrono::milliseconds;
using TDeadline = std::chrono::steady_clock::time_point;

constexpr DWORD Pipe_Buffer = 512;

DWORD Remaining(TDeadline deadline)
{
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    return left > 0 ? static_cast<DWORD>(left) : 0;
}

// One overlapped transfer on `handle` that gives up at `deadline` or when
// `stop` is set; the bytes moved, or -1.
long Transfer(HANDLE handle, bool write, void* data, DWORD size, TDeadline deadline, HANDLE stop = nullptr)
{
    OVERLAPPED transfer{};
    transfer.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD moved = 0;
    BOOL done = write ? WriteFile(handle, data, size, nullptr, &transfer) : ReadFile(handle, data, size, nullptr, &transfer);
    if (!done && GetLastError() == ERROR_IO_PENDING) {
        const HANDLE events[] = {transfer.hEvent, stop};
        const DWORD woken = WaitForMultipleObjects(stop != nullptr ? 2 : 1, events, FALSE, Remaining(deadline));
        if (woken != WAIT_OBJECT_0)
            CancelIoEx(handle, &transfer);
        done = GetOverlappedResult(handle, &transfer, &moved, TRUE) && woken == WAIT_OBJECT_0;
    } else if (done) {
        done = GetOverlappedResult(handle, &transfer, &moved, TRUE);
    }
    CloseHandle(transfer.hEvent);
    return done ? static_cast<long>(moved) : -1;
}

// Reads up to a line break (or Max_Request_Line bytes) before `deadline`.
std::string Read_Line(HANDLE handle, TDeadline deadline, HANDLE stop = nullptr)
{
    std::string line;
    while (line.find('\n') == std::string::npos && line.size() < Max_Request_Line) {
        char bytes[Max_Request_Line];
        const long count = Transfer(handle, false, bytes, static_cast<DWORD>(Max_Request_Line - line.size()), deadline, stop);
        if (count <= 0)
            break;
        line.append(bytes, static_cast<std::size_t>(count));
    }
    return line;
}

bool Write_All(HANDLE handle, const std::string& text, TDeadline deadline)
{
    std::string data = text;
    return Transfer(handle, true, data.data(), static_cast<DWORD>(data.size()), deadline) ==
           static_cast<long>(data.size());
}

HANDLE Create_Instance(const std::wstring& name, bool first)
{
    const DWORD open_mode = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
    const DWORD pipe_mode = PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT;
    HANDLE instance = CreateNamedPipeW(name.c_str(), open_mode, pipe_mode | PIPE_REJECT_REMOTE_CLIENTS,
                                       PIPE_UNLIMITED_INSTANCES, Pipe_Buffer, Pipe_Buffer, 0, nullptr);
    // A system that does not know the flag for remote clients.
    if (instance == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
        instance = CreateNamedPipeW(name.c_str(), open_mode, pipe_mode, PIPE_UNLIMITED_INSTANCES, Pipe_Buffer,
                                    Pipe_Buffer, 0, nullptr);
    return instance;
}

std::wstring Upper_Case(const std::wstring& text)
{
    std::wstring upper(text.size(), L'\0');
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.c_str(), static_cast<int>(text.size()), upper.data(),
                  static_cast<int>(upper.size()), nullptr, nullptr, 0);
    return upper;
}

}  // namespace

std::wstring Clock_Pipe_Name(const std::string& settings_path)
{
    const std::wstring path = Widen(settings_path);
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    full.resize(length < full.size() ? length : 0);
    if (full.empty())
        full = path;
    const wchar_t* home = _wgetenv(L"USERPROFILE");
    // Windows' file names match in any letter case.
    return L"\\\\.\\pipe\\" +
           Widen(Clock_Channel_Name(home != nullptr ? Narrow(home) : "", Narrow(Upper_Case(full))));
}

struct TClock_Pipe_Server::TState {
    explicit TState(milliseconds timeout) : client_timeout(timeout) {}

    milliseconds client_timeout;
    std::wstring name;
    // Owned by the clock: the pipe's first instance is not exclusive
    // everywhere (Wine lets a second process create one too).
    HANDLE ownership = nullptr;
    HANDLE instance = INVALID_HANDLE_VALUE;
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::unique_ptr<TMessage_Relay> relay;
    std::thread server;

    void Serve();
    void Answer(HANDLE client);
};

void TClock_Pipe_Server::TState::Serve()
{
    const HANDLE connected = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    while (instance != INVALID_HANDLE_VALUE) {
        OVERLAPPED connection{};
        connection.hEvent = connected;
        ResetEvent(connected);
        bool client = ConnectNamedPipe(instance, &connection) != FALSE || GetLastError() == ERROR_PIPE_CONNECTED;
        if (!client && GetLastError() == ERROR_IO_PENDING) {
            const HANDLE events[] = {connected, stop};
            if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) {
                CancelIoEx(instance, &connection);
                DWORD ignored = 0;
                GetOverlappedResult(instance, &connection, &ignored, TRUE);
                break;
            }
            DWORD ignored = 0;
            client = GetOverlappedResult(instance, &connection, &ignored, FALSE) != FALSE;
        }
        // The next instance before this one is served, so the name stays owned.
        const HANDLE served = instance;
        instance = Create_Instance(name, false);
        if (client)
            Answer(served);
        CloseHandle(served);
        if (WaitForSingleObject(stop, 0) == WAIT_OBJECT_0)
            break;
    }
    CloseHandle(connected);
}

void TClock_Pipe_Server::TState::Answer(HANDLE client)
{
    const TDeadline deadline = std::chrono::steady_clock::now() + client_timeout;
    std::string line = Read_Line(client, deadline, stop);
    if (const auto end = line.find('\n'); end != std::string::npos)
        line.resize(end + 1);
    else if (line.size() < Max_Request_Line)
        return;  // no whole line in time: dropped without an answer
    const std::optional<TClock_Request> request = Parse_Request(line);
    Write_All(client, request ? Request_Taken_Answer : Unknown_Request_Answer, deadline);
    // The answer is read before the pipe goes: wait for the client to close its end.
    char rest[16];
    while (Transfer(client, false, rest, sizeof rest, deadline, stop) > 0) {
    }
    DisconnectNamedPipe(client);
    if (request)
        relay->Post(static_cast<WPARAM>(*request));
}

TClock_Pipe_Server::TClock_Pipe_Server(milliseconds client_timeout)
    : state_(std::make_unique<TState>(client_timeout))
{
    state_->relay = std::make_unique<TMessage_Relay>([this](WPARAM request) {
        if (On_Request)
            On_Request(static_cast<TClock_Request>(request));
    });
}

TClock_Pipe_Server::~TClock_Pipe_Server()
{
    SetEvent(state_->stop);
    if (state_->server.joinable())
        state_->server.join();
    if (state_->instance != INVALID_HANDLE_VALUE)
        CloseHandle(state_->instance);
    if (state_->ownership != nullptr)
        CloseHandle(state_->ownership);
    CloseHandle(state_->stop);
}

TClock_Pipe_Server::TListen TClock_Pipe_Server::Listen(const std::wstring& pipe_name)
{
    state_->name = pipe_name;
    const std::wstring mutex_name = L"Local\\" + pipe_name.substr(pipe_name.find_last_of(L'\\') + 1);
    state_->ownership = CreateMutexW(nullptr, FALSE, mutex_name.c_str());
    if (state_->ownership == nullptr)
        return TListen::Failed;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(state_->ownership);
        state_->ownership = nullptr;
        return TListen::Owned_By_Another;
    }
    state_->instance = Create_Instance(pipe_name, true);
    if (state_->instance == INVALID_HANDLE_VALUE)
        return TListen::Failed;
    state_->server = std::thread([state = state_.get()] { state->Serve(); });
    return TListen::Listening;
}

namespace {

// `clock_process`, when given, receives a handle to the clock's process
// (null where the system does not tell), opened before the request goes.
THand_Over Hand_To_Running_Clock(const std::wstring& pipe_name, TClock_Request request, milliseconds timeout,
                                 HANDLE* clock_process = nullptr)
{
    const TDeadline deadline = std::chrono::steady_clock::now() + timeout;
    HANDLE pipe = INVALID_HANDLE_VALUE;
    for (;;) {
        pipe = CreateFileW(pipe_name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OVERLAPPED, nullptr);
        if (pipe != INVALID_HANDLE_VALUE)
            break;
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            return THand_Over::No_Clock;
        if (GetLastError() != ERROR_PIPE_BUSY || Remaining(deadline) == 0)
            return THand_Over::No_Answer;
        WaitNamedPipeW(pipe_name.c_str(), Remaining(deadline));
    }
    ULONG server_id = 0;
    if (clock_process != nullptr && GetNamedPipeServerProcessId(pipe, &server_id))
        *clock_process = OpenProcess(SYNCHRONIZE, FALSE, server_id);
    // The running clock may come to the front: this process is the one the user started.
    AllowSetForegroundWindow(ASFW_ANY);
    THand_Over hand_over = THand_Over::No_Answer;
    if (Write_All(pipe, Request_Line(request), deadline) && Read_Line(pipe, deadline) == Request_Taken_Answer)
        hand_over = THand_Over::Taken;
    CloseHandle(pipe);
    return hand_over;
}

}  // namespace

THand_Over Become_The_Clock(TClock_Pipe_Server& server, const std::wstring& pipe_name, TClock_Request request,
                            milliseconds answer_timeout)
{
    // A clock that has just won has no pipe for a moment, and one that ends
    // between the two steps leaves the name free: try again.
    const TDeadline deadline = std::chrono::steady_clock::now() + answer_timeout;
    do {
        switch (server.Listen(pipe_name)) {
        case TClock_Pipe_Server::TListen::Listening:
        case TClock_Pipe_Server::TListen::Failed:  // no pipe at all: run alone
            return THand_Over::No_Clock;
        case TClock_Pipe_Server::TListen::Owned_By_Another:
            break;
        }
        const THand_Over hand_over = Hand_To_Running_Clock(pipe_name, request, answer_timeout);
        if (hand_over != THand_Over::No_Clock)
            return hand_over;
        Sleep(20);
    } while (std::chrono::steady_clock::now() < deadline);
    return THand_Over::No_Answer;
}

THand_Over Close_Running_Clock(const std::wstring& pipe_name, milliseconds timeout)
{
    const TDeadline deadline = std::chrono::steady_clock::now() + timeout;
    HANDLE clock_process = nullptr;
    THand_Over hand_over = Hand_To_Running_Clock(pipe_name, TClock_Request::Close, timeout, &clock_process);
    // Its files stay in use until the process has gone, not only its window.
    if (hand_over == THand_Over::Taken && clock_process != nullptr &&
        WaitForSingleObject(clock_process, Remaining(deadline)) != WAIT_OBJECT_0)
        hand_over = THand_Over::No_Answer;
    if (clock_process != nullptr)
        CloseHandle(clock_process);
    return hand_over;
}
