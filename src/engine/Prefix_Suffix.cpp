#include "engine/Prefix_Suffix.h"

#include <array>

#include "system/Files.h"

namespace {

const std::string prefix_mask = "PREFIX*.WAV";
const std::string suffix_mask = "SUFFIX*.WAV";
const std::array<std::string, 4> fixed_prefixes{"PREFIX.WAV", "PREFIX00.WAV", "PREFIX0.WAV", "PREFIX1.WAV"};
const std::array<std::string, 4> fixed_suffixes{"SUFFIX.WAV", "SUFFIX00.WAV", "SUFFIX0.WAV", "SUFFIX1.WAV"};

std::string In_Sound_Directory(const ClockSettings& settings, const std::string& name)
{
    return settings.Sound_Directory_Edit + Path_Delimiter + name;
}

std::string Select_Random(const std::string& mask, TRandom_Source& random)
{
    if (Count_Matching_Files(mask) == 0)
        return {};
    return Pick_Random_File(mask, random);
}

// Of n + 2 equally likely draws, n + 1 go to the files and one to the blank,
// so the blank is rarer than any single file.
std::string Select_Random_With_Blank(const std::string& mask, TRandom_Source& random)
{
    const int n = Count_Matching_Files(mask);
    if (random.Random_Below(n + 2) < n + 1)
        return Pick_Random_File(mask, random);
    return {};
}

// The first listed name that is a regular file; a directory of that name does
// not count. The listed spelling goes into the slot, as the loader ignores case.
std::string Select_Fixed(const ClockSettings& settings, const std::array<std::string, 4>& names)
{
    for (const auto& name : names)
        if (File_Exists(In_Sound_Directory(settings, name)))
            return name;
    return {};
}

} // namespace

int Count_Matching_Files(const std::string& mask)
{
    return static_cast<int>(Find_Matching_Entries(mask).size());
}

std::string Pick_Random_File(const std::string& mask, TRandom_Source& random)
{
    const int k = random.Random_Below(Count_Matching_Files(mask));
    // A fresh listing: the directory may have changed since the count, so a
    // draw beyond its end takes the last entry instead.
    const auto names = Find_Matching_Entries(mask);
    if (names.empty())
        return {};
    if (k < 0)
        return names.front();
    return static_cast<std::size_t>(k) < names.size() ? names[static_cast<std::size_t>(k)] : names.back();
}

std::pair<std::string, std::string> Select_Prefix_And_Suffix(const ClockSettings& settings, TRandom_Source& random)
{
    const std::string prefix_path = In_Sound_Directory(settings, prefix_mask);
    const std::string suffix_path = In_Sound_Directory(settings, suffix_mask);
    switch (Prefix_Suffix_Mode_Of(settings)) {
    case PrefixSuffixMode::Random: {
        std::string prefix = Select_Random(prefix_path, random);
        return {prefix, Select_Random(suffix_path, random)};
    }
    case PrefixSuffixMode::RandomWithBlank: {
        std::string prefix = Select_Random_With_Blank(prefix_path, random);
        return {prefix, Select_Random_With_Blank(suffix_path, random)};
    }
    case PrefixSuffixMode::None:
        return {};
    case PrefixSuffixMode::Fixed:
        break;
    }
    std::string prefix = Select_Fixed(settings, fixed_prefixes);
    return {prefix, Select_Fixed(settings, fixed_suffixes)};
}
