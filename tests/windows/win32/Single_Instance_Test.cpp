#include <filesystem>
#include <optional>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "support/Temp_Dir.h"
#include "win32/Single_Instance.h"

namespace {

using namespace std::chrono_literals;

void Pump_Messages_For(std::chrono::milliseconds span)
{
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
}

TEST(Clock_Pipe_Name, Spellings_Of_One_Settings_File_Name_One_Pipe)
{
    const TTemp_Dir dir;
    std::filesystem::create_directory(dir.Path() / "a");
    const std::string base = dir.Path().string();
    const std::wstring name = Clock_Pipe_Name(base + "\\a\\vocahora.ini");
    EXPECT_TRUE(name.starts_with(L"\\\\.\\pipe\\horavox-")) << name.c_str();
    for (const std::string& same : {base + "\\a\\.\\vocahora.ini", base + "\\a\\..\\a\\vocahora.ini",
                                    base + "/a/vocahora.ini", base + "\\A\\VOCAHORA.INI"})
        EXPECT_EQ(Clock_Pipe_Name(same), name) << same;
    for (const std::string& other : {base + "\\vocahora.ini", base + "\\a\\vocahora.ini.bak"})
        EXPECT_NE(Clock_Pipe_Name(other), name) << other;
}

TEST(Clock_Pipe, The_First_Owns_The_Pipe_And_Later_Starts_Hand_Over_Their_Requests)
{
    const std::wstring name = L"\\\\.\\pipe\\horavox-test-" + std::to_wstring(GetCurrentProcessId());
    TClock_Pipe_Server first;
    std::vector<TClock_Request> taken;
    first.On_Request = [&](TClock_Request request) { taken.push_back(request); };
    ASSERT_EQ(Become_The_Clock(first, name, TClock_Request::Raise), THand_Over::No_Clock);

    for (const TClock_Request request : {TClock_Request::Say_Now, TClock_Request::Raise}) {
        TClock_Pipe_Server later;
        EXPECT_EQ(Become_The_Clock(later, name, request, 2s), THand_Over::Taken);
    }
    // The requests reach the clock's own thread, after their answers.
    EXPECT_TRUE(taken.empty());
    Pump_Messages_For(200ms);
    EXPECT_EQ(taken, (std::vector<TClock_Request>{TClock_Request::Say_Now, TClock_Request::Raise}));
}

TEST(Clock_Pipe, A_Line_That_Is_No_Request_Is_Answered_So_And_Asks_Nothing)
{
    const std::wstring name = L"\\\\.\\pipe\\horavox-test-line-" + std::to_wstring(GetCurrentProcessId());
    TClock_Pipe_Server clock(300ms);
    int requests = 0;
    clock.On_Request = [&](TClock_Request) { ++requests; };
    ASSERT_EQ(clock.Listen(name), TClock_Pipe_Server::TListen::Listening);

    const auto exchange = [&](const std::string& line) {
        const HANDLE pipe = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(pipe, INVALID_HANDLE_VALUE);
        DWORD count = 0;
        if (!line.empty())
            WriteFile(pipe, line.data(), static_cast<DWORD>(line.size()), &count, nullptr);
        char answer[64] = "";
        ReadFile(pipe, answer, sizeof answer - 1, &count, nullptr);
        CloseHandle(pipe);
        return std::string(answer, count);
    };
    EXPECT_EQ(exchange("quit\n"), "unknown request\n");
    // Silent for longer than the clock waits: dropped without an answer, and the next is served.
    EXPECT_EQ(exchange(""), "");
    EXPECT_EQ(exchange("raise\n"), "ok\n");
    Pump_Messages_For(200ms);
    EXPECT_EQ(requests, 1);
}

TEST(Clock_Pipe, Once_The_Clock_Has_Gone_The_Next_Start_Becomes_The_Clock)
{
    const std::wstring name = L"\\\\.\\pipe\\horavox-test-gone-" + std::to_wstring(GetCurrentProcessId());
    {
        TClock_Pipe_Server first;
        ASSERT_EQ(Become_The_Clock(first, name, TClock_Request::Raise), THand_Over::No_Clock);
    }
    TClock_Pipe_Server second;
    EXPECT_EQ(Become_The_Clock(second, name, TClock_Request::Say_Now), THand_Over::No_Clock);
    TClock_Pipe_Server third;
    EXPECT_EQ(Become_The_Clock(third, name, TClock_Request::Raise, 2s), THand_Over::Taken);
}

}  // namespace
