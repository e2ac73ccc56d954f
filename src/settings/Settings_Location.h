#pragma once
#include <string>

// Where the settings file lives. A portable copy keeps it beside the
// executable, as it always has. An installed copy cannot write there, so it
// keeps the file in the user's configuration directory, and a vocahora.ini
// that the administrator left in the program directory is only read, as the
// site default for each user's first start.

struct TSettings_Environment {
    std::string program_directory;         // ends in Path_Delimiter
    bool program_directory_is_home = true;  // see Program_Directory_Is_Settings_Home
    std::string xdg_config_home;           // $XDG_CONFIG_HOME, possibly empty
    std::string home;                      // the user's home directory, possibly empty
    // Windows' per-user application data folder (%APPDATA%); empty on other
    // systems, where the XDG directories above count.
    std::string app_data;
};

struct TSettings_Location {
    std::string path;       // read at start, written at every close
    std::string seed_path;  // the site default read in its absence; empty when there is none to consult
};

// $XDG_CONFIG_HOME/horavox/vocahora.ini (a relative $XDG_CONFIG_HOME counts as
// unset, so ~/.config), or on Windows %APPDATA%\Horavox\vocahora.ini, seeded
// from the program directory's file, unless the program directory is the
// home. With no home directory at all the file stays beside the executable,
// where saving will say why it cannot be written.
TSettings_Location Choose_Settings_Location(const TSettings_Environment& environment);

// The location for this process: the running executable, its directory and the
// real environment.
TSettings_Location Settings_Location();

// The file to read: `path` once it exists, else the seed if there is one, else
// `path` (which then reads as the defaults).
std::string Settings_Read_Path(const TSettings_Location& location);

// Makes `path` ready to be saved to: creates its directory and copies the seed
// into it when `path` does not exist yet. An existing file is never replaced,
// and the copy is writable even where the seed is read-only. Failures are left
// to the save at close, which reports them.
void Prepare_Settings_File(const TSettings_Location& location);
