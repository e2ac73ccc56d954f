#pragma once
#include <string>

#include <SDL.h>

// SDL's text for the last error, or "Unknown error code" when it has none.
std::string Sdl_Error_Text();

// Opens a sound file for reading. The name is looked up by exact spelling
// first, then without regard to letter case, as every sound file is. Returns
// nullptr and sets `error_text` when the file cannot be read; a directory is
// refused here because reading one would fail later with a misleading text.
SDL_RWops* Open_Sound_File(const std::string& path, std::string& error_text);
