#include "clock/Clock_Requests.h"

#include <cstdint>
#include <cstdio>

std::string Request_Line(TClock_Request request)
{
    switch (request) {
    case TClock_Request::Say_Now: return "say-now\n";
    case TClock_Request::Close: return "close\n";
    case TClock_Request::Raise: break;
    }
    return "raise\n";
}

std::optional<TClock_Request> Parse_Request(const std::string& line)
{
    for (const TClock_Request request : {TClock_Request::Raise, TClock_Request::Say_Now, TClock_Request::Close})
        if (line == Request_Line(request))
            return request;
    return std::nullopt;
}

// FNV-1a over 64 bits: enough to keep the settings files of one user apart.
std::string Clock_Channel_Name(const std::string& home, const std::string& settings_path)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char byte : home + '\n' + settings_path) {
        hash ^= byte;
        hash *= 1099511628211ULL;
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return std::string("horavox-") + digits;
}
