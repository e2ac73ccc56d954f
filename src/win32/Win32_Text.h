#pragma once
#include <string>
#include <string_view>

// The program keeps text in UTF-8; Windows takes UTF-16 at every call.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);
