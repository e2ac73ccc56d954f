#include "system/Program_Launch.h"

#include "system/Files.h"
#include "util/Text_Helpers.h"

std::string Normalise_Directory(const std::string& text)
{
    const std::string delimiter = Path_Delimiter;
    for (const std::string& nowhere : {std::string(), delimiter, std::string(".."), std::string("."),
                                       "." + delimiter, ".." + delimiter})
        if (text == nowhere)
            return {};
    const auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && is_blank(text[start]))
        ++start;
    while (end > start && is_blank(text[end - 1]))
        --end;
    return Replace_All(text.substr(start, end - start) + delimiter, delimiter + delimiter, delimiter);
}
