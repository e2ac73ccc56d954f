#include "engine/Missing_Sound_File_Message.h"

std::string Missing_Sound_File_Message(const std::string& name, const std::string& sound_directory)
{
    const std::string blank_line = "\r\n\r\n";
    return "Error: The sound \"" + name + "\" could not be found !  " + "Please check that : " + blank_line +
           "a.) sound files are in the Sound Directory (" + sound_directory + "), or, " + blank_line +
           "b.) download sound samples from my WEB Page, or, " + blank_line +
           "c.) change your Sound Directory to a new location.";
}
