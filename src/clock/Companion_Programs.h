#pragma once
#include <string>

#include "system/Companion_Programs_System.h"
#include "util/Message_Boxes.h"

// The readme beside the executable, named like it up to its first ".".
std::string Readme_File_Path(const std::string& executable_path);

void Show_Readme_File(const std::string& executable_path, TMessage_Boxes& boxes);
