#pragma once
#include <string>

// What the choice of the settings file's home needs to know of the system.

// The file that `cmake --install` puts beside the executables. Its presence
// marks an installed copy, whose settings live in the user's configuration
// directory even when the program directory could be written (by root, say).
extern const char Installed_Marker_Name[];

// The program directory may hold the settings file: it can be written (its
// owner's write bit set as well, since root passes every access check) and no
// installation marker lies in it. `program_directory` ends in Path_Delimiter.
bool Program_Directory_Is_Settings_Home(const std::string& program_directory);

// The value of an environment variable; empty when it is not set.
std::string Environment_Variable(const char* name);

// $HOME, else the home directory the user database gives; empty when neither is known.
std::string User_Home_Directory();

// Windows' per-user application data folder (%APPDATA%), where an installed
// copy keeps its settings; empty on other systems.
std::string Application_Data_Directory();
