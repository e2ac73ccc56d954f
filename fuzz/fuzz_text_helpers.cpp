// The text helpers against literal, slow models of their documented
// algorithms, on arbitrary bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "util/Horavox_Error.h"
#include "util/Text_Helpers.h"

namespace {

const std::string Marker{"\x01\x02\x03\x04\x05\x01"};
// Rewriting steps, and a length of text, after which the model gives up (a
// rule that never ends, or one that grows the text at every step: the model
// rescans from the start each time, so its cost grows with their product).
constexpr int Step_Limit = 2000;
constexpr std::size_t Text_Limit = 4096;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Replace_All step by step; none when the steps run out.
std::optional<std::string> Model_Replace_All(const std::string& source, const std::string& search,
                                             const std::string& replacement)
{
    if (Contains(replacement, search) && !search.empty()) {
        // The two passes through the marker would never end where the marker
        // holds the search text or the replacement holds the marker; each
        // occurrence is then replaced once, left to right.
        if (Contains(Marker, search) || Contains(replacement, Marker)) {
            std::string result;
            std::size_t from = 0;
            for (auto at = source.find(search); at != std::string::npos; at = source.find(search, from)) {
                result += source.substr(from, at - from) + replacement;
                from = at + search.size();
            }
            return result + source.substr(from);
        }
        auto parked = Model_Replace_All(source, search, Marker);
        return parked ? Model_Replace_All(*parked, Marker, replacement) : std::nullopt;
    }
    std::string text = source;
    if (text.empty() || search.empty())
        return text;
    for (int step = 0; step < Step_Limit && text.size() <= Text_Limit; ++step) {
        const auto at = text.find(search);
        if (at == std::string::npos)
            return text;
        text.erase(at, search.size());
        text.insert(at, replacement);
    }
    return std::nullopt;
}

// Digits_Only_Integer: the value, or the text of the conversion error.
std::pair<std::int64_t, std::string> Model_Digits_Only_Integer(const std::string& text)
{
    std::string kept;
    for (char c : text)
        if (std::string("+-0123456789").find(c) != std::string::npos)
            kept += c;
    std::string cleaned;
    for (std::size_t i = 0; i < kept.size(); ++i)
        if (i == 0 || (kept[i] != '+' && kept[i] != '-'))
            cleaned += kept[i];
    if (cleaned.empty())
        return {0, ""};
    const bool negative = cleaned[0] == '-';
    const std::string digits = cleaned[0] == '+' || negative ? cleaned.substr(1) : cleaned;
    const std::string error = "'" + cleaned + "' is not a valid integer value";
    if (digits.empty())
        return {0, error};
    const auto first = digits.find_first_not_of('0');
    const std::string significant = first == std::string::npos ? "0" : digits.substr(first);
    if (significant.size() > 10)
        return {0, error};
    const std::int64_t magnitude = std::stoll(significant);
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX)
        return {0, error};
    return {value, ""};
}

std::pair<std::int64_t, std::string> Model_Nth_Field_Integer(const std::string& text, const std::string& separator,
                                                             int n)
{
    // An empty separator is found nowhere that could cut a field.
    std::string working = text;
    if (!separator.empty()) {
        for (int step = 1; step < n; ++step) {
            const auto at = working.find(separator);
            if (at == std::string::npos)
                break;  // the text no longer changes
            working.erase(0, at + 1);
        }
        const auto at = working.find(separator);
        if (at != std::string::npos)
            working.erase(at);
    }
    return Model_Digits_Only_Integer(working);
}

std::pair<std::int64_t, std::string> Run(std::int32_t (*helper)(const std::string&), const std::string& text)
{
    try {
        return {helper(text), ""};
    } catch (const EConvertError& error) {
        return {0, error.what()};
    }
}

void Check(bool holds, const char* what)
{
    if (!holds) {
        fprintf(stderr, "disagrees with the model: %s\n", what);
        abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string search = provider.ConsumeRandomLengthString(8);
    const std::string replacement = provider.ConsumeRandomLengthString(8);
    const std::string separator = provider.ConsumeRandomLengthString(3);
    const int n = provider.ConsumeIntegral<int>();
    const std::string source = provider.ConsumeRemainingBytesAsString().substr(0, 256);

    if (const auto expected = Model_Replace_All(source, search, replacement))
        Check(Replace_All(source, search, replacement) == *expected, "Replace_All");

    Check(Run(Digits_Only_Integer, source) == Model_Digits_Only_Integer(source), "Digits_Only_Integer");

    std::pair<std::int64_t, std::string> field;
    try {
        field = {Nth_Field_Integer(source, separator, n), ""};
    } catch (const EConvertError& error) {
        field = {0, error.what()};
    }
    Check(field == Model_Nth_Field_Integer(source, separator, n), "Nth_Field_Integer");
    return 0;
}
