#include "settings/Sound_Directory.h"

#include "system/Files.h"
#include "util/Text_Helpers.h"

std::string Sound_Directory_Text(const std::string& chosen_directory)
{
    const std::string delimiter = Path_Delimiter;
    return Replace_All(chosen_directory + delimiter, delimiter + delimiter, delimiter);
}
