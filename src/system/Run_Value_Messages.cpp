#include "system/Run_Values.h"

std::string Run_Value_Error_Text(TRun_Value_Error error, const TRun_Key& key, const std::string& name,
                                 const std::string& data)
{
    const char* first = "Error: The specified Registry Key for this operation ";
    const char* second = "does NOT exist on your PC.  ";
    if (error == TRun_Value_Error::Write_Not_Verified) {
        first = "Error: The required settings could not be created ";
        second = "or saved in the Windows Registry.  ";
    } else if (error == TRun_Value_Error::Still_Present) {
        first = "Error: The required Registry Key settings ";
        second = "could not be removed from the Windows Registry.  ";
    }
    std::string text = std::string(first) + "\r\n" + second + "\r\n\r\n" + " Error Key   = " + key.key + "\r\n" +
                       " Error Item  = " + name + "\r\n";
    const bool writing =
        error == TRun_Value_Error::Missing_Key_On_Write || error == TRun_Value_Error::Write_Not_Verified;
    if (writing)
        text += " Error Value = " + data + "\r\n";
    return text + "\r\nPlease contact the program's author.";
}
