#pragma once
#include <string>

// A test name made of a case's own words: each character that a test name
// cannot hold becomes "_"; nothing at all becomes "empty".
inline std::string Test_Name(const std::string& text)
{
    if (text.empty())
        return "empty";
    std::string name = text;
    for (char& c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            c = '_';
    return name;
}
