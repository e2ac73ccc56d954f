#pragma once
#include <string>

#include "util/Message_Boxes.h"

// The programs the clock leans on: a text viewer for its readme and a sound
// recorder for the user's own word files. The first of each list found on
// PATH is started on its own; the clock neither waits for nor watches it.

// The readme beside the executable, named like it up to its first ".".
std::string Readme_File_Path(const std::string& executable_path);

void Show_Text_File(const std::string& path, TMessage_Boxes& boxes);
void Show_Readme_File(const std::string& executable_path, TMessage_Boxes& boxes);
void Start_Sound_Recorder(TMessage_Boxes& boxes);
