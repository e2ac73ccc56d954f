#pragma once
#include <string>
#include <vector>

// Desktop Entry files, as desktops read them for the application menu and
// for starting programs at log-on.

// `program` as one argument of an Exec= value: quoted, with the characters
// that the quoting, the string escapes and the field codes give meaning to
// escaped, so that any path survives.
std::string Desktop_Exec_Argument(const std::string& program);

// The arguments of an Exec= value, unescaped and unquoted as a desktop does;
// empty when the value is malformed (an unterminated quote).
std::vector<std::string> Desktop_Exec_Arguments(const std::string& exec_value);

// The value of `key` in group `group` of a desktop entry, without the string
// escapes undone; empty when missing.
std::string Desktop_Entry_Value(const std::string& content, const std::string& group, const std::string& key);

// The entry that starts `program` at log-on.
std::string Autostart_Desktop_Entry(const std::string& program);
