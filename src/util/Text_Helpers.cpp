#include "util/Text_Helpers.h"

#include "util/Horavox_Error.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

// Copies of the search text that a replacement brings in are parked under this
// marker so that they are not replaced again.
const std::string marker{"\x01\x02\x03\x04\x05\x01"};

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// Knuth-Morris-Pratt failure function: for each prefix length, the length of
// its longest proper prefix that is also a suffix.
std::vector<std::size_t> Failure_Function(const std::string& search)
{
    std::vector<std::size_t> failure(search.size() + 1, 0);
    std::size_t k = 0;
    for (std::size_t i = 1; i < search.size(); ++i) {
        while (k > 0 && search[i] != search[k])
            k = failure[k];
        if (search[i] == search[k])
            ++k;
        failure[i + 1] = k;
    }
    return failure;
}

// Replaces the leftmost occurrence again and again, each search starting from
// the beginning of the text, until none is left. Instead of rescanning, the
// text is moved character by character into `done`, which never holds a whole
// occurrence; when `done` ends in one, it is dropped and the replacement is put
// in front of what is still to be read, so the characters before it are
// matched together with it exactly as a fresh search from the start would.
// This gives the same result in time linear in the characters moved.
std::string Replace_Rescanning(const std::string& source, const std::string& search, const std::string& replacement)
{
    const auto failure = Failure_Function(search);
    std::string done;
    std::vector<std::size_t> states{0};  // matched length of `search` after each character of `done`
    // Still to be read: the pending replacements (top of the stack first), then the source from `next`.
    std::vector<std::pair<const std::string*, std::size_t>> pending;
    std::size_t next = 0;
    done.reserve(source.size());
    states.reserve(source.size() + 1);

    for (;;) {
        char c;
        if (!pending.empty()) {
            auto& [text, position] = pending.back();
            c = (*text)[position++];
            if (position == text->size())
                pending.pop_back();
        } else if (next < source.size()) {
            c = source[next++];
        } else {
            break;
        }
        std::size_t k = states.back();
        while (k > 0 && c != search[k])
            k = failure[k];
        if (c == search[k])
            ++k;
        done.push_back(c);
        states.push_back(k);
        if (k == search.size()) {
            done.resize(done.size() - search.size());
            states.resize(states.size() - search.size());
            if (!replacement.empty())
                pending.emplace_back(&replacement, 0);
        }
    }
    return done;
}

// Every occurrence replaced once, left to right.
std::string Replace_Once_Each(const std::string& source, const std::string& search, const std::string& replacement)
{
    std::string result;
    std::size_t from = 0;
    for (auto found = source.find(search); found != std::string::npos; found = source.find(search, from)) {
        result.append(source, from, found - from);
        result += replacement;
        from = found + search.size();
    }
    result.append(source, from);
    return result;
}

}  // namespace

std::string Replace_All(const std::string& source, const std::string& search, const std::string& replacement)
{
    if (source.empty() || search.empty())
        return source;
    if (Contains(replacement, search)) {
        // The marker cannot park a search text that is part of it, nor be told
        // apart inside a replacement that holds it: there, the two passes would
        // never end, so each occurrence is replaced once instead.
        if (Contains(marker, search) || Contains(replacement, marker))
            return Replace_Once_Each(source, search, replacement);
        return Replace_All(Replace_All(source, search, marker), marker, replacement);
    }
    return Replace_Rescanning(source, search, replacement);
}

std::int32_t Digits_Only_Integer(const std::string& text)
{
    std::string cleaned;
    for (char c : text) {
        bool digit = c >= '0' && c <= '9';
        bool sign = c == '+' || c == '-';
        if (digit || (sign && cleaned.empty()))
            cleaned.push_back(c);
    }
    if (cleaned.empty())
        return 0;

    bool negative = cleaned[0] == '-';
    std::size_t first_digit = cleaned[0] == '+' || negative ? 1 : 0;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    bool in_range = first_digit < cleaned.size();
    for (std::size_t i = first_digit; i < cleaned.size() && in_range; ++i) {
        magnitude = magnitude * 10 + (cleaned[i] - '0');
        in_range = magnitude <= limit;
    }
    if (!in_range)
        throw EConvertError("'" + cleaned + "' is not a valid integer value");
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t Nth_Field_Integer(const std::string& text, const std::string& separator, int n)
{
    if (separator.empty())
        return Digits_Only_Integer(text);
    std::size_t start = 0;
    for (int step = 1; step < n; ++step) {
        auto found = text.find(separator, start);
        if (found == std::string::npos)
            break;
        start = found + 1;
    }
    auto end = text.find(separator, start);
    return Digits_Only_Integer(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
}
