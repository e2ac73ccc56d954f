#pragma once
#include <string>

#include "util/Message_Boxes.h"

// The list of programs that the desktop starts at log-on, in the shape of a
// registry key holding one string value per program: each system keeps it
// in its own way (on Linux, a desktop entry per program in the autostart
// folder; the value's data is the program's path).
struct TRun_Key {
    std::string root;
    // Shown as it is in the error messages.
    std::string key;
};

// This system's list for the user who runs the program; on Linux an empty
// key when the user has no home directory to keep it in.
TRun_Key Auto_Run_Key();

// Writes the value and reads it back; shows why and returns false when the
// key cannot be written or the value does not read back the same. A failure
// of the write itself, and an empty key, are thrown as EHoravoxError with the
// reason.
bool Write_Run_Value(const TRun_Key& key, const std::string& name, const std::string& data, TMessage_Boxes& boxes);

// Deletes the value and checks that it is gone; deleting a value that is not
// there succeeds. Shows why and returns false otherwise.
bool Delete_Run_Value(const TRun_Key& key, const std::string& name, TMessage_Boxes& boxes);

// The value's data; empty when the key or the value is missing.
std::string Read_Run_Value(const TRun_Key& key, const std::string& name);

// The texts of the failures above.
enum class TRun_Value_Error { Missing_Key_On_Write, Write_Not_Verified, Missing_Key_On_Delete, Still_Present };
std::string Run_Value_Error_Text(TRun_Value_Error error, const TRun_Key& key, const std::string& name,
                                 const std::string& data = {});
