#include "audio/Output_Device.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include <windows.h>

#include "audio/windows/Wave_Out_Output.h"

namespace {

// The format of the voice pack and of a rendered announcement: the system
// converts for its device, so the voice is played as it is recorded, and as
// horavox-say --wav writes it.
constexpr TOutput_Format Voice_Format{22050, 1};

}  // namespace

std::unique_ptr<TOutput_Device> Open_Output_Device(TOutput_Format& format, TOutput_Device::TFill fill,
                                                   TOutput_Device::TLost lost, void* argument)
{
    const TOutput_Format wanted = format.Frequency != 0 ? format : Voice_Format;
    std::string why;
    auto device = TWave_Out_Output::Open(wanted.Frequency, wanted.Channels, fill, lost, argument, why);
    format = wanted;
    return device;
}

namespace {

// Under Wine on Linux, ends the process at once with the kernel's exit_group;
// elsewhere returns. Wine's PulseAudio driver keeps a thread waiting on the
// stopped server inside pthread_cond_wait, and however Wine ends a process it
// first cuts its other threads off one by one: that thread's unwinding then
// runs the wait's cleanup from a stack it has already reused, and the process
// often dies of a segmentation fault instead of ending with its code.
// exit_group stops every thread together, with nothing unwound. Wine's own
// server then records no exit code (a Windows parent under Wine reads 0);
// the Linux parent reads the right one.
void End_At_Once_Under_Wine([[maybe_unused]] int exit_code)
{
#if defined(__x86_64__)
    using TGet_Host_Version = void(__cdecl*)(const char**, const char**);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto get_host_version = reinterpret_cast<TGet_Host_Version>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "wine_get_host_version")));
    if (get_host_version == nullptr)
        return;
    const char* system = nullptr;
    const char* release = nullptr;
    get_host_version(&system, &release);
    if (system == nullptr || std::strcmp(system, "Linux") != 0)
        return;
    constexpr long Exit_Group = 231;
    const long code = exit_code;
    asm volatile("syscall" : : "a"(Exit_Group), "D"(code) : "rcx", "r11", "memory");
#endif
}

}  // namespace

// The wave device is part of the system, loaded with the program.
TOutput_Client_Preload::TOutput_Client_Preload() = default;
TOutput_Client_Preload::~TOutput_Client_Preload() = default;

// With its sound server stopped, the driver's threads wait inside calls to
// that server. A normal end unloads the driver after cutting them off, and
// its cleanup then works on a connection that will never answer;
// terminating skips every DLL's cleanup, which a hanging driver could not
// finish anyway.
void End_Program_If_Device_Hangs(int exit_code)
{
    if (!TWave_Out_Output::Any_Left_Hanging())
        return;
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    End_At_Once_Under_Wine(exit_code);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exit_code));
}
