#include "clock/Directory_Rows.h"

#include "system/Volumes.h"
#include "util/Horavox_Error.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

// Letter case does not part names that a user reads as one (and the program
// matches file names without regard to it); ties fall back to byte order so
// the order is total. ASCII folding only, so the order does not hang on the locale.
bool Sorts_Before(const std::string& a, const std::string& b)
{
    const auto folded_less = [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded_less))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded_less))
        return false;
    return a < b;
}

bool Is_Hidden(const std::string& name)
{
    return !name.empty() && name.front() == '.';
}

}  // namespace

std::vector<TDirectory_Row> Directory_Rows(const std::string& directory, std::vector<std::string> subdirectories)
{
    // A path on a drive ("C:\\..."): the drive's root is the first row, and
    // names are parted by backslashes.
    const bool on_drive = directory.size() >= 2 && std::isalpha(static_cast<unsigned char>(directory[0])) &&
                          directory[1] == ':';
    const char delimiter = on_drive ? '\\' : '/';
    std::string path = on_drive ? directory.substr(0, 2) : "";
    const std::string root = path + delimiter;
    std::vector<TDirectory_Row> rows{{root, root, 0, true}};
    std::size_t start = path.size();
    while (start < directory.size()) {
        std::size_t end = directory.find(delimiter, start);
        if (end == std::string::npos)
            end = directory.size();
        if (end > start) {
            const std::string name = directory.substr(start, end - start);
            path += delimiter + name;
            rows.push_back({name, path, static_cast<int>(rows.size()), true, Is_Hidden(name)});
        }
        start = end + 1;
    }
    std::erase_if(subdirectories, [](const std::string& name) { return name.empty(); });
    std::sort(subdirectories.begin(), subdirectories.end(), [](const std::string& a, const std::string& b) {
        return Is_Hidden(a) != Is_Hidden(b) ? Is_Hidden(b) : Sorts_Before(a, b);
    });
    const int level = static_cast<int>(rows.size());
    for (auto& name : subdirectories) {
        std::string child = path + delimiter + name;
        const bool hidden = Is_Hidden(name);
        rows.push_back({std::move(name), std::move(child), level, false, hidden});
    }
    return rows;
}

std::vector<std::string> Enter_Directory(const std::string& directory)
{
    TSubdirectory_Listing listing = Read_Subdirectories(directory);
    int error = listing.error;
    if (error == 0)
        error = Change_Working_Directory(directory);
    if (error != 0)
        throw EHoravoxError("I/O error " + std::to_string(error));
    return std::move(listing.names);
}
