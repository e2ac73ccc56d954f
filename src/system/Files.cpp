#include "system/Files.h"

#include <cctype>
#include <filesystem>
#include <functional>
#include <optional>
#include <system_error>

#include "system/Files_System.h"
#include "system/Path_Text.h"

namespace fs = std::filesystem;

namespace {

char Fold(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool Same_Ignoring_Case(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    return true;
}

// Glob matching of * (any run) and ? (one character), ignoring case. On a
// mismatch only the latest * is retried one character further, which keeps
// the match linear for the short masks a voice pack uses.
bool Wildcard_Match(const std::string& mask, const std::string& name)
{
    std::size_t m = 0, n = 0;
    std::optional<std::size_t> star_mask, star_name;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            star_mask = ++m;
            star_name = n;
        } else if (m < mask.size() && (mask[m] == '?' || Fold(mask[m]) == Fold(name[n]))) {
            ++m;
            ++n;
        } else if (star_mask) {
            m = *star_mask;
            n = ++*star_name;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

// The directory to search for `path`'s last component; "." when it has none.
fs::path Directory_Of(const fs::path& path)
{
    fs::path directory = path.parent_path();
    return directory.empty() ? fs::path(".") : directory;
}

// Visits the entries of `directory` in listing order until `visit` returns
// true; the entry it stopped at, if any. Errors end the scan quietly, because
// a missing or unreadable directory simply holds nothing.
std::optional<fs::directory_entry> Scan(const fs::path& directory,
                                        const std::function<bool(const fs::directory_entry&)>& visit)
{
    std::error_code error;
    fs::directory_iterator it(directory, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error))
        if (visit(*it))
            return *it;
    return std::nullopt;
}

// `path` without trailing delimiters, unless it is nothing but the root.
fs::path Without_Trailing_Delimiters(const std::string& path)
{
    fs::path result = Path_Of(path);
    while (!result.has_filename() && result.has_relative_path())
        result = result.parent_path();
    return result;
}

// The entry named by `path`, exact spelling first, then any spelling whose
// kind passes `accept`.
std::optional<fs::path> Find_Entry(const fs::path& path, const std::function<bool(fs::file_status)>& accept)
{
    std::error_code error;
    if (accept(fs::status(path, error)))
        return Spelled_As_On_Disk(path);
    const std::string wanted = Name_Of(path.filename());
    if (wanted.empty())
        return std::nullopt;
    auto found = Scan(Directory_Of(path), [&](const fs::directory_entry& entry) {
        std::error_code ignored;
        return Same_Ignoring_Case(Name_Of(entry.path().filename()), wanted) && accept(entry.status(ignored));
    });
    if (!found)
        return std::nullopt;
    return path.parent_path() / found->path().filename();
}

} // namespace

bool File_Exists(const std::string& path)
{
    return Find_Entry(Path_Of(path), [](fs::file_status s) { return fs::is_regular_file(s); }).has_value();
}

bool Directory_Exists(const std::string& path)
{
    if (path.empty())
        return false;
    return Find_Entry(Without_Trailing_Delimiters(path), [](fs::file_status s) { return fs::is_directory(s); })
        .has_value();
}

std::string Resolve_Path(const std::string& path)
{
    if (path.empty())
        return {};
    auto found = Find_Entry(Path_Of(path), [](fs::file_status s) { return fs::exists(s); });
    return found ? Name_Of(*found) : std::string();
}

std::vector<std::string> Find_Matching_Entries(const std::string& mask)
{
    const fs::path mask_path = Path_Of(mask);
    const std::string pattern = Name_Of(mask_path.filename());
    std::vector<std::string> names;
    if (pattern.empty())
        return names;
    Scan(Directory_Of(mask_path), [&](const fs::directory_entry& entry) {
        std::string name = Name_Of(entry.path().filename());
        if (Wildcard_Match(pattern, name))
            names.push_back(std::move(name));
        return false;
    });
    return names;
}
