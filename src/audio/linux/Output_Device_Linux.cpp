#include <cstdlib>
#include <string>

#include "audio/Output_Device.h"
#include "audio/linux/Pulse_Library.h"
#include "audio/linux/Pulse_Output.h"
#include "audio/linux/Sdl_Output.h"

namespace {

// The format on a sound server, which converts for its device: the format of
// the voice pack and of a rendered announcement, so the voice is played as
// it is recorded, and as horavox-say --wav writes it.
constexpr TOutput_Format Server_Format{22050, 1};

}  // namespace

// The sound server's own client where one answers; SDL's output otherwise,
// or where SDL_AUDIODRIVER names one of SDL's drivers (the user's or a
// test's choice).
std::unique_ptr<TOutput_Device> Open_Output_Device(TOutput_Format& format, TOutput_Device::TFill fill,
                                                   TOutput_Device::TLost lost, void* argument)
{
    if (std::getenv("SDL_AUDIODRIVER") == nullptr) {
        const TOutput_Format server_format = format.Frequency != 0 ? format : Server_Format;
        std::string why;
        if (auto server =
                TPulse_Output::Open(server_format.Frequency, server_format.Channels, fill, lost, argument, why)) {
            format = server_format;
            return server;
        }
    }
    return std::make_unique<TSdl_Output>(format, fill, argument);
}

// SDL's own driver is loaded only when the server's client is not there,
// and a named SDL driver leaves that client out.
TOutput_Client_Preload::TOutput_Client_Preload()
{
    if (std::getenv("SDL_AUDIODRIVER") == nullptr)
        loader_ = std::thread([] { Pulse_Library(); });
}

TOutput_Client_Preload::~TOutput_Client_Preload()
{
    if (loader_.joinable())
        loader_.join();
}

// The sound server's client bounds every wait and joins its thread, and
// SDL's does not hang on a server that its own client would not answer.
void End_Program_If_Device_Hangs(int) {}
