#include "system/Files_Temporary_Name.h"

#include <string_view>

std::uint32_t Temporary_Owner(const std::string& name, const std::string& target_name)
{
    const std::string prefix = target_name + ".";
    const std::string suffix = ".tmp";
    if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
        return 0;
    const std::string_view middle(name.data() + prefix.size(), name.size() - prefix.size() - suffix.size());
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    const auto dash = middle.find('-');
    if (dash == std::string_view::npos || !digits(middle.substr(0, dash)) || !digits(middle.substr(dash + 1)))
        return 0;
    return static_cast<std::uint32_t>(std::stoul(std::string(middle.substr(0, dash))));
}
