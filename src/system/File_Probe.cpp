#include "system/File_Probe.h"

#include <filesystem>
#include <system_error>

#include "system/File_Probe_System.h"
#include "system/Files.h"
#include "system/Path_Text.h"

namespace {

// Paths this long are reported free without a probe, as the original probe,
// whose path buffer ended here, has always done.
constexpr std::string::size_type Probe_Path_Limit = 128;

}  // namespace

std::string File_Open_Status(const std::string& path)
{
    if (path.empty())
        return {};
    if (path.size() >= Probe_Path_Limit)
        return "CLOSED";
    const std::string existing = Resolve_Path(path);
    if (existing.empty())
        return {};
    return Probe_Exclusive_Open(existing);
}

bool Delete_Closed_File(const std::string& path)
{
    const std::string existing = Resolve_Path(path);
    if (existing.empty())
        return false;
    Clear_File_Attributes(existing);
    if (File_Open_Status(existing) == "CLOSED") {
        std::error_code ignored;
        std::filesystem::remove(Path_Of(existing), ignored);
    }
    return Resolve_Path(path).empty();
}
