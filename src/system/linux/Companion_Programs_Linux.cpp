#include "system/Companion_Programs_System.h"

#include <cstdlib>

#include "system/Program_Launch.h"

namespace {

// The desktop's own choice first, then the editors of the common desktops.
const char* const Text_Viewers[] = {"xdg-open", "gnome-text-editor", "gedit", "kate", "kwrite",
                                    "mousepad", "pluma", "xed", "featherpad", "leafpad"};
const char* const Sound_Recorders[] = {"gnome-sound-recorder", "audio-recorder", "audacity", "kwave", "tenacity"};

template <std::size_t N>
std::string First_Found(const char* const (&programs)[N])
{
    const char* path = std::getenv("PATH");
    for (const char* program : programs) {
        std::string found = Find_Program(program, path ? path : "");
        if (!found.empty())
            return found;
    }
    return {};
}

}  // namespace

void Show_Text_File(const std::string& path, TMessage_Boxes& boxes)
{
    const std::string viewer = First_Found(Text_Viewers);
    if (viewer.empty()) {
        boxes.Show_Information("Windows Notepad could not be found.");
        return;
    }
    Start_Detached(viewer, {path});
}

void Start_Sound_Recorder(TMessage_Boxes& boxes)
{
    const std::string recorder = First_Found(Sound_Recorders);
    if (recorder.empty()) {
        boxes.Show_Information("Windows Sound Recorder could not be found.");
        return;
    }
    Start_Detached(recorder, {});
}
