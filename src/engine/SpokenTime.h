#pragma once
#include <string>

// One composed announcement: seven slots in playing order. Word slots hold the
// stem of a sound-file name ("12", "PM", "dingding"); prefix and suffix hold a
// bare file name. Empty means nothing to play in that slot.
struct SpokenTime {
    std::string Prefix_File;
    std::string Hour_Word_1;
    std::string Hour_Word_2;
    std::string Minute_Word_1;
    std::string Minute_Word_2;
    std::string AM_PM_Word;
    std::string Suffix_File;

    bool operator==(const SpokenTime&) const = default;
};
