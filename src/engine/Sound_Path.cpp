#include "engine/Sound_Path.h"

#include "system/Files.h"
#include "util/Text_Helpers.h"

std::string Sound_File_Path(const std::string& directory, const std::string& name)
{
    const std::string delimiter = Path_Delimiter;
    return Replace_All(directory + delimiter + name, delimiter + delimiter, delimiter);
}
