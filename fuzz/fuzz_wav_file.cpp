// Arbitrary bytes as a word file, through both ways a sound file is opened:
// the clock's player (decoding into the device's format, on the dummy device) and the renderer of
// horavox-say --wav. Either may refuse the file with its error; nothing else
// may happen.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#include "audio/Plain_Notice_Loop.h"
#include "audio/Sound_Output.h"
#include "audio/Output_Sound_Player.h"
#include "audio/Wav_Render.h"
#include "util/Horavox_Error.h"

namespace {

std::string File_Path;
// Made once and kept until the process ends: taking the application down at
// exit, after libFuzzer's own clean-up, is not what is being tested.
TSound_Output* Audio = nullptr;
TOutput_Sound_Player* Player = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    Audio = new TSound_Output(*new TPlain_Notice_Loop());
    Player = new TOutput_Sound_Player(*Audio);
    const char* tmp = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    File_Path = std::string(tmp) + "/horavox-fuzz-" + std::to_string(getpid()) + "-7.WAV";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::ofstream(File_Path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    Player->FileName = File_Path;
    try {
        Player->Open();
        if (!Player->Is_Open())
            abort();
    } catch (const EMCIDeviceError& error) {
        if (Player->Is_Open() || std::string(error.what()).find(File_Path) == std::string::npos)
            abort();
    }
    Player->Close();

    try {
        Decode_Wav_For_Render(File_Path);
    } catch (const EHoravoxError&) {
    }
    return 0;
}
