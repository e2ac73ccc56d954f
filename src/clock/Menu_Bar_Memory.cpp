#include "clock/Menu_Bar_Memory.h"

#include <charconv>

namespace {

// Taller than any menu bar a screen shows; a larger number is damage.
constexpr int Largest_Height = 1000;

}  // namespace

std::string Menu_Bar_Memory_Path(const std::string& xdg_cache_home, const std::string& home)
{
    if (!xdg_cache_home.empty() && xdg_cache_home.front() == '/')
        return xdg_cache_home + "/horavox/menu-bar";
    if (!home.empty())
        return home + "/.cache/horavox/menu-bar";
    return {};
}

std::optional<int> Remembered_Menu_Bar_Height(const std::string& file_text, const std::string& key)
{
    // The key may hold any character but a line's end; the height follows the last tab.
    if (file_text.size() < key.size() + 3 || file_text.back() != '\n' || file_text.compare(0, key.size(), key) != 0 ||
        file_text[key.size()] != '\t')
        return std::nullopt;
    const char* first = file_text.data() + key.size() + 1;
    const char* last = file_text.data() + file_text.size() - 1;
    int height = 0;
    const auto [end, error] = std::from_chars(first, last, height);
    if (error != std::errc() || end != last || height <= 0 || height > Largest_Height)
        return std::nullopt;
    return height;
}

std::string Menu_Bar_Memory_Text(const std::string& key, int height)
{
    return key + '\t' + std::to_string(height) + '\n';
}
