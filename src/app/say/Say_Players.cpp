#include "app/say/Say_Players.h"

#include "audio/Wav_Render.h"

void TRender_Player::Open()
{
    Close();
    try {
        Rendered_Length(FileName);
    } catch (const EHoravoxError& error) {
        throw EMCIDeviceError(error.what());
    }
    open_ = true;
}

void TRender_Player::Close()
{
    open_ = false;
}
