#include "system/Companion_Programs_System.h"

#include <windows.h>

#include "system/Files.h"
#include "system/Program_Launch.h"

namespace {

// Command lines have always been copied into a buffer of this many
// characters, terminator included, before they are run.
constexpr std::size_t Command_Line_Buffer = 145;

// Read whole, however long: empty only when the system cannot tell.
std::string Windows_Directory()
{
    std::string directory(MAX_PATH, '\0');
    UINT length = GetWindowsDirectoryA(directory.data(), static_cast<UINT>(directory.size()));
    if (length >= directory.size()) {
        directory.resize(length);
        length = GetWindowsDirectoryA(directory.data(), static_cast<UINT>(directory.size()));
    }
    directory.resize(length < directory.size() ? length : 0);
    return directory;
}

// A line that does not fit the buffer is refused whole: cut short, it would
// open another file or start another program.
void Run_Command_Line(const std::string& command_line, TMessage_Boxes& boxes)
{
    if (command_line.size() >= Command_Line_Buffer) {
        boxes.Show_Error("This command is too long to run (more than " + std::to_string(Command_Line_Buffer - 1) +
                         " characters):\r\n\r\n" + command_line);
        return;
    }
    WinExec(command_line.c_str(), SW_SHOWNORMAL);
}

}  // namespace

void Show_Text_File(const std::string& path, TMessage_Boxes& boxes)
{
    const std::string windows = Windows_Directory();
    if (windows.empty() || !File_Exists(windows + "\\Notepad.EXE")) {
        boxes.Show_Information("Windows Notepad could not be found.");
        return;
    }
    Run_Command_Line("Notepad.exe " + path, boxes);
}

void Start_Sound_Recorder(TMessage_Boxes& boxes)
{
    const std::string windows = Normalise_Directory(Windows_Directory());
    for (const char* recorder : {"SNDREC32.EXE", "SNDREC.EXE"}) {
        if (!windows.empty() && File_Exists(windows + recorder)) {
            Run_Command_Line(recorder, boxes);
            return;
        }
    }
    boxes.Show_Information("Windows Sound Recorder could not be found.");
}
