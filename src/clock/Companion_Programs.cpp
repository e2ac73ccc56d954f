#include "clock/Companion_Programs.h"

#include <cstdlib>

#include "platform/Program_Launch.h"

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

std::string Readme_File_Path(const std::string& executable_path)
{
    const std::size_t name_start = executable_path.find_last_of('/') + 1;
    const std::string name = executable_path.substr(name_start);
    return executable_path.substr(0, name_start) + name.substr(0, name.find('.')) + ".txt";
}

// Whether the viewer starts, and whether the file exists, is left to the viewer.
void Show_Text_File(const std::string& path, TMessage_Boxes& boxes)
{
    const std::string viewer = First_Found(Text_Viewers);
    if (viewer.empty()) {
        boxes.Show_Information("Windows Notepad could not be found.");
        return;
    }
    Start_Detached(viewer, {path});
}

void Show_Readme_File(const std::string& executable_path, TMessage_Boxes& boxes)
{
    Show_Text_File(Readme_File_Path(executable_path), boxes);
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
