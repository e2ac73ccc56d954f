#pragma once
#include <string>
#include <vector>

// A command-line program's arguments and console, in UTF-8 on every system.

// The arguments after the program's name. Windows hands them over in the
// code page, which cannot hold every letter of a path: there they are read
// as wide strings and converted.
std::vector<std::string> Program_Arguments(int argc, char** argv);

// Makes the console show UTF-8 output as such (Windows); nothing elsewhere.
void Use_Utf8_Console();
