#include "support/Announcement_Engine_Rig.h"

#include <filesystem>

TAnnouncement_Engine_Rig::TAnnouncement_Engine_Rig()
    : Settings(Default_Settings(Program_Dir.Dir())),
      Engine(Settings, Host, Sounds.Slots(), Sounds.Probe(), Random, Program_Dir.Dir())
{
    Settings.Sound_Directory_Edit = Sound_Dir.Dir();
}

void TAnnouncement_Engine_Rig::Write_Words(const TTemp_Dir& dir, std::initializer_list<std::string> words)
{
    for (const std::string& word : words)
        dir.Write(word + ".WAV");
}

std::vector<std::string> TAnnouncement_Engine_Rig::Slot_Files()
{
    std::vector<std::string> files;
    for (int number = 1; number <= Slot_Count; ++number)
        files.push_back(std::filesystem::path(Sounds.Slot(number).FileName).filename().string());
    return files;
}
