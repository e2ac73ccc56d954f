#pragma once
#include <cstddef>
#include <optional>
#include <string>

// One clock per settings file: the first clock listens on a channel of the
// system's kind (a local socket, a named pipe) named from its settings file,
// and a later start hands its request to it as one line, which the clock
// answers with one line, instead of opening a second clock.

// Close asks the clock to close as its close box does, saving its settings
// (an installer or uninstaller about to replace or remove it).
enum class TClock_Request { Raise, Say_Now, Close };

// "raise\n", "say-now\n" or "close\n".
std::string Request_Line(TClock_Request request);
// The request a received line asks for; none for anything else.
std::optional<TClock_Request> Parse_Request(const std::string& line);

// Longer than any request; a line that reaches it without ending is refused
// instead of being kept, so a client cannot make the clock's memory grow.
inline constexpr std::size_t Max_Request_Line = 64;

inline constexpr char Request_Taken_Answer[] = "ok\n";
inline constexpr char Unknown_Request_Answer[] = "unknown request\n";

// "horavox-" and 16 hexadecimal digits of a hash of the user's home directory
// and the settings file's full path, as the system spells it once resolved:
// one settings file gives one name, and two users' clocks of one portable
// copy do not meet.
std::string Clock_Channel_Name(const std::string& home, const std::string& settings_path);
