#pragma once
#include <string>

// Whether another program holds a file open, asked by trying to take it
// exclusively. Answers "CLOSED" (free), "OPEN" (in use), "NOT FOUND",
// "ERROR" (the probe failed otherwise), or "" for an empty path or a file
// that does not exist. A path of 128 characters or more answers "CLOSED"
// without a probe. The probe is released at once.
std::string File_Open_Status(const std::string& path);

// Deletes the file at `path` unless another program holds it open; a
// read-only file is made writable first. True when the file is gone
// afterwards; false when it did not exist or could not be deleted.
bool Delete_Closed_File(const std::string& path);
