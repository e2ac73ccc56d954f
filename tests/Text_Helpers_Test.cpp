#include "util/Horavox_Error.h"
#include "util/Text_Helpers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace {

struct Replace_Case {
    std::string source, search, replacement, expected;
};

TEST(Replace_All, Table)
{
    const std::string m{"\x01\x02\x03\x04\x05\x01"};
    const Replace_Case cases[] = {
        {"C:\\Sounds\\\\10.WAV", "\\\\", "\\", "C:\\Sounds\\10.WAV"},
        {"C:\\Sounds\\\\\\10.WAV", "\\\\", "\\", "C:\\Sounds\\10.WAV"},
        {"a\\\\\\\\\\b\\\\c", "\\\\", "\\", "a\\b\\c"},
        {"banana", "a", "aa", "baanaanaa"},
        {"aaa", "aa", "aaa", "aaaa"},
        {"hello", "xyz", "q", "hello"},
        {"hello", "", "q", "hello"},
        {"", "a", "b", ""},
        {"C:\\S\\10.WAV", ".WAV", "", "C:\\S\\10"},
        {"C:\\S.WAV\\10.WAV", ".WAV", "", "C:\\S\\10"},
        {"C:\\S\\10.wav", ".WAV", "", "C:\\S\\10.wav"},
        {"..WAVWAV", ".WAV", "", ""},  // a removal forms a new occurrence
        {"xaabby", "ab", "", "xy"},
        {"aab", "ab", "ba", "baa"},
        {"abc", "b", "", "ac"},
        // The marker of the two passes is taken for a parked search text.
        {"x" + m + "y", "a", "aa", "xaay"},
        // Searches that the marker could not park are replaced once each.
        {"\x01z\x01", "\x01", "\x01\x01", "\x01\x01z\x01\x01"},
        {"ab", "a", "a" + m, "a" + m + "b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Replace_All(c.source, c.search, c.replacement), c.expected)
            << "source '" << c.source << "' search '" << c.search << "' replacement '" << c.replacement << "'";
}

// The plain loop the helper must agree with: find the first occurrence from
// the beginning, replace it, repeat.
std::string Replace_By_Rescanning(std::string text, const std::string& search, const std::string& replacement)
{
    for (auto found = text.find(search); found != std::string::npos; found = text.find(search))
        text.replace(found, search.size(), replacement);
    return text;
}

TEST(Replace_All, AgreesWithRescanningFromTheStart)
{
    std::mt19937 random(20240611);
    auto word = [&](std::size_t max_length) {
        std::string text(std::uniform_int_distribution<std::size_t>(0, max_length)(random), ' ');
        for (auto& c : text)
            c = "ab\\"[std::uniform_int_distribution<int>(0, 2)(random)];
        return text;
    };
    for (int i = 0; i < 20000; ++i) {
        auto source = word(12);
        auto search = word(4);
        auto replacement = word(3);
        // Only replacements shorter than the search are sure to end when rescanned.
        if (search.empty() || replacement.size() >= search.size())
            continue;
        ASSERT_EQ(Replace_All(source, search, replacement), Replace_By_Rescanning(source, search, replacement))
            << "source '" << source << "' search '" << search << "' replacement '" << replacement << "'";
    }
}

// How long these take is measured in bench/text_and_settings_bench.
TEST(Replace_All, LargeInputs)
{
    const std::string backslashes(1'000'000, '\\');
    std::string many_files;
    for (int i = 0; i < 100'000; ++i)
        many_files += "d\\\\f.WAV";
    EXPECT_EQ(Replace_All(backslashes, "\\\\", "\\"), "\\");
    EXPECT_EQ(Replace_All(many_files, ".WAV", "").size(), 100'000u * 4);
    EXPECT_EQ(Replace_All(many_files.substr(0, 80'000), "\\", "\\\\").size(), 10'000u * 10);
}

TEST(Digits_Only_Integer, Table)
{
    const std::pair<std::string, std::int32_t> cases[] = {
        {"", 0},
        {"px", 0},
        {"abc", 0},
        {"12 px", 12},
        {" -7", -7},
        {"5-3", 53},
        {"--5", -5},
        {"+42", 42},
        {"1.5", 15},
        {"007", 7},
        {"-0", 0},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"000000000000000000002147483647", 2147483647},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Digits_Only_Integer(text), expected) << "text '" << text << "'";
}

TEST(Digits_Only_Integer, RejectsLoneSignsAndValuesOutside32Bits)
{
    const std::pair<std::string, std::string> cases[] = {
        {"-", "'-' is not a valid integer value"},
        {"+", "'+' is not a valid integer value"},
        {"a-b", "'-' is not a valid integer value"},
        {"2147483648", "'2147483648' is not a valid integer value"},
        {"-2147483649", "'-2147483649' is not a valid integer value"},
        {"99 999 999 999", "'99999999999' is not a valid integer value"},
    };
    for (const auto& [text, message] : cases) {
        try {
            Digits_Only_Integer(text);
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
}

TEST(Nth_Field_Integer, Table)
{
    struct Case {
        std::string text, separator;
        int n;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"10 20 30", " ", 1, 10},
        {"10 20 30", " ", 2, 20},
        {"10 20 30", " ", 3, 30},
        {"10 20 30", " ", 5, 30},
        {"10 20 30", " ", 0, 10},
        {"10 20 30", " ", -3, 10},
        {"7", " ", 3, 7},
        {"", " ", 1, 0},
        {"", " ", 4, 0},
        {"1,,3", ",", 2, 0},
        {"1,,3", ",", 3, 3},
        // Only the separator's first character goes with the field before it.
        {"1::2::3", "::", 2, 2},
        {"1::2::3", "::", 3, 3},
        {"a=5 px;b=9", ";", 1, 5},
        {"12 34", "", 2, 1234},
        {"1 2", " ", 2147483647, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Nth_Field_Integer(c.text, c.separator, c.n), c.expected)
            << "text '" << c.text << "' separator '" << c.separator << "' n " << c.n;
    EXPECT_THROW(Nth_Field_Integer("1 - 3", " ", 2), EConvertError);
}

}  // namespace
