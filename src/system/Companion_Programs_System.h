#pragma once
#include <string>

#include "util/Message_Boxes.h"

// The programs the clock leans on, as each operating system provides them: a
// text viewer for its readme and a sound recorder for the user's own word
// files. Each is started on its own; the clock neither waits for nor watches
// it, and whether it starts, or finds its file, is left to it.

// Shows the text file at `path`; "Windows Notepad could not be found." when
// there is no viewer.
void Show_Text_File(const std::string& path, TMessage_Boxes& boxes);

// Starts the recorder without a file; "Windows Sound Recorder could not be
// found." when there is none.
void Start_Sound_Recorder(TMessage_Boxes& boxes);
