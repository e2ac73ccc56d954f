#pragma once
#include <string>

// What each operating system does for the file-in-use probe.

// Opens the existing file for reading and writing with nobody else allowed in,
// and closes it at once: "CLOSED", "OPEN", "NOT FOUND" or "ERROR".
std::string Probe_Exclusive_Open(const std::string& path);

// Clears whatever would stop the file being deleted (read-only and the like).
void Clear_File_Attributes(const std::string& path);
