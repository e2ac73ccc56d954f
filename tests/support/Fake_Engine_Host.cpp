#include "support/Fake_Engine_Host.h"

#include "support/Fake_Sound_Player.h"

void TFake_Engine_Host::Process_Messages()
{
    ++Messages_Processed;
    if (Deliver_Notices_From)
        Deliver_Notices_From->Release_All_Notices();
    if (On_Process_Messages)
        On_Process_Messages();
}

void TFake_Engine_Host::Show_Error_Box(const std::string& text)
{
    Error_Boxes.push_back(text);
}
