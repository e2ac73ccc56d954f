#include "support/Fake_Engine_Host.h"

#include "support/Fake_Sound_Player.h"

TFake_Engine_Host::TFake_Engine_Host()
    : TPlain_Engine_Host(
          [this] {
              ++Messages_Processed;
              if (Deliver_Notices_From)
                  Deliver_Notices_From->Release_All_Notices();
              if (On_Process_Messages)
                  On_Process_Messages();
          },
          [this](const std::string& text) { Error_Boxes.push_back(text); })
{
}
