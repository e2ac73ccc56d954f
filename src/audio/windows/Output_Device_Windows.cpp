#include "audio/Output_Device.h"

#include <cstdio>
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

// The wave device is part of the system, loaded with the program.
TOutput_Client_Preload::TOutput_Client_Preload() = default;
TOutput_Client_Preload::~TOutput_Client_Preload() = default;

// With its sound server stopped, the driver's threads wait inside calls to
// that server. A normal end unloads the driver after cutting them off, and
// its cleanup then works on a connection that will never answer;
// terminating skips every DLL's cleanup, which a hanging driver could not
// finish anyway. (Under Wine 8, cutting off PulseAudio's timer thread while
// it waits can itself still crash the process.)
void End_Program_If_Device_Hangs(int exit_code)
{
    if (!TWave_Out_Output::Any_Left_Hanging())
        return;
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exit_code));
}
