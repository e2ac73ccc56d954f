#include "system/Console.h"

std::vector<std::string> Program_Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void Use_Utf8_Console() {}
