#include "audio/linux/Sdl_Sound_File.h"

#include <filesystem>
#include <system_error>

#include "system/Files.h"
#include "audio/linux/Sdl_Library.h"

std::string Sdl_Error_Text()
{
    const TSdl_Use sdl;
    const char* text = sdl->GetError();
    if (text == nullptr || *text == '\0')
        return "Unknown error code";
    return text;
}

const char No_Sound_Data_Text[] = "The file holds no sound";

TSound_File Open_Sound_File(const std::string& path, std::string& error_text)
{
    const std::string resolved = Resolve_Path(path);
    const std::string actual = resolved.empty() ? path : resolved;
    std::error_code ignored;
    if (std::filesystem::is_directory(actual, ignored)) {
        error_text = "Couldn't open " + actual + ": it is a directory, not a sound file";
        return nullptr;
    }
    const TSdl_Use sdl;
    sdl->ClearError();
    TSound_File file(sdl->RWFromFile(actual.c_str(), "rb"));
    if (!file)
        error_text = Sdl_Error_Text();
    return file;
}
