#include "audio/Output_Device.h"

#include <string>

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
