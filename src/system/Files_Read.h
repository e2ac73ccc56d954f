#pragma once
#include <string>

enum class TFile_Read { Read, Missing, Unreadable };

// Reads the whole file at `path` into `contents`. Only a regular file (or a
// link to one) is read: a FIFO, a device, a socket or a directory is
// Unreadable, and is never waited on, since opening a FIFO for reading would
// block until some other program opened it for writing.
TFile_Read Read_Regular_File(const std::string& path, std::string& contents);
