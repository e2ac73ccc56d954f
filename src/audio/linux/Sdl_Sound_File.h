#pragma once
#include <memory>
#include <string>

#include <SDL.h>

// SDL's text for the last error, or "Unknown error code" when it has none.
std::string Sdl_Error_Text();

// The device's text for a sound file that decodes to no sound at all (a WAV
// file of a header only): it is refused as a broken file, since playing it
// would give no end-of-sound notice to carry the announcement on.
extern const char No_Sound_Data_Text[];

struct TSound_File_Close {
    // What SDL_RWclose does, without finding that function in the library.
    void operator()(SDL_RWops* file) const { file->close(file); }
};
// Closed here, not by the decoder, so that no way out of a decoder that
// fails leaves the file open.
using TSound_File = std::unique_ptr<SDL_RWops, TSound_File_Close>;

// Opens a sound file for reading; the caller holds SDL loaded (TSdl_Use)
// for as long as the file lives. The name is looked up by exact spelling
// first, then without regard to letter case, as every sound file is. Returns
// nullptr and sets `error_text` when the file cannot be read; a directory is
// refused here because reading one would fail later with a misleading text.
TSound_File Open_Sound_File(const std::string& path, std::string& error_text);
