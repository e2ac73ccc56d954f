#pragma once
#include <string>

// Replaces the file at `path` by one holding `contents` without ever leaving a
// truncated file: the new file is written beside it, flushed to disk and
// renamed over it, keeping the old file's permission bits (a symbolic link is
// followed and stays a link, also one whose file does not exist yet).
// Temporary files left by earlier saves that were killed half-way are removed
// once the new file is in place. Returns false, with any existing file left as it
// was, when the file is read-only or not a regular file, or when the directory
// is missing or cannot be written; the Linux half then leaves errno saying why.
bool Write_File_Safely(const std::string& path, const std::string& contents);
