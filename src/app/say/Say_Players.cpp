#include "app/say/Say_Players.h"

#include "engine/Volume.h"
#include "platform/Wav_Render.h"

void TRender_Player::Open()
{
    Close();
    try {
        samples_ = Decode_Wav_For_Render(FileName);
    } catch (const EHoravoxError& error) {
        throw EMCIDeviceError(error.what());
    }
    Apply_Volume(samples_, Volume_Percent);
    open_ = true;
}

void TRender_Player::Close()
{
    open_ = false;
    samples_.clear();
}
