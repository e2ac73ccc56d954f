#include "settings/Profile_File.h"

#include "system/Files_Read.h"
#include "system/Path_Text.h"
#include "system/Files_Safe_Write.h"
#include "util/Horavox_Error.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>
#include <utility>

namespace {

// What Windows trims around names and values; ^Z is the end-of-file mark of old editors.
bool Is_Blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Windows keeps names and values as C strings: a NUL ends them.
std::size_t Up_To_Nul(const std::string& text, std::size_t begin, std::size_t end)
{
    const auto nul = text.find('\0', begin);
    return nul < end ? nul : end;
}

bool Same_Name(const std::string& text, std::size_t begin, std::size_t end, const std::string& name)
{
    end = Up_To_Nul(text, begin, end);
    if (end - begin != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (Lower(text[begin + i]) != Lower(name[i]))
            return false;
    return true;
}

// Narrows [begin, end) of `text` to its part without blanks at either end.
void Trim(const std::string& text, std::size_t& begin, std::size_t& end)
{
    while (begin < end && Is_Blank(text[begin]))
        ++begin;
    while (end > begin && Is_Blank(text[end - 1]))
        --end;
}

std::optional<std::uint32_t> Parse_Digits(const std::string& digits, std::uint32_t base, std::uint64_t limit)
{
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        std::uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<std::uint32_t>(c - '0');
        else if (base == 16 && Lower(c) >= 'a' && Lower(c) <= 'f')
            digit = static_cast<std::uint32_t>(Lower(c) - 'a' + 10);
        else
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

// Decimal with an optional sign, or up to 32 bits of hexadecimal after "0x",
// "0X" or "$" (read as two's complement, so "$FFFFFFFF" is -1).
std::optional<std::int32_t> Parse_Integer(const std::string& text)
{
    if (text.starts_with("0x") || text.starts_with("0X") || text.starts_with("$")) {
        auto bits = Parse_Digits(text.substr(text[0] == '$' ? 1 : 2), 16, 0xFFFFFFFFu);
        if (!bits)
            return std::nullopt;
        return static_cast<std::int32_t>(*bits);
    }
    bool negative = text.starts_with("-");
    bool sign = negative || text.starts_with("+");
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : std::numeric_limits<std::int32_t>::max();
    auto magnitude = Parse_Digits(text.substr(sign ? 1 : 0), 10, limit);
    if (!magnitude)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(*magnitude) : *magnitude);
}

bool Has_Line_Break(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

// Windows copies a value into a buffer of Value_Limit characters and a
// terminator. It drops one pair of matching quotes around the value, and then
// the last character copied, but only when the value after its opening quote
// fits the buffer with the terminator's place: a longer one keeps both quotes'
// places, cut to the limit, and one of exactly the buffer's size loses its
// last character rather than its quote.
std::string Seen_Value(const std::string& value, std::size_t limit, TProfile_Encoding encoding)
{
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (!quoted)
        return Leading_Characters(value, limit, encoding);
    const std::string inner = value.substr(1);
    const std::string seen = Leading_Characters(inner, limit, encoding);
    return Character_Count(inner, encoding) <= limit + 1 ? Without_Last_Character(seen, encoding) : seen;
}

}  // namespace

TProfile_File::TProfile_File(std::string path) : path_(std::move(path))
{
    std::string content;
    const TFile_Read result = Read_Regular_File(path_, content);
    unreadable_ = result == TFile_Read::Unreadable;
    if (result != TFile_Read::Read)
        return;
    // Editors on Windows mark a Unicode file (Notepad's UTF-8 and "Unicode"):
    // read it as Windows does, and write it back the same way.
    TProfile_Text decoded = Decode_Profile_Text(content);
    encoding_ = decoded.encoding;
    trailer_ = std::move(decoded.trailer);
    content = std::move(decoded.text);
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines_.push_back(Parse_Line(content.substr(start), ""));
            break;
        }
        std::size_t break_length = content.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        lines_.push_back(Parse_Line(content.substr(start, end - start), content.substr(end, break_length)));
        start = end + break_length;
    }
}

TProfile_File::TLine TProfile_File::Parse_Line(std::string text, std::string line_break)
{
    TLine line{std::move(text), std::move(line_break)};
    const std::string& t = line.text;
    std::size_t first = 0;
    std::size_t last = t.size();
    Trim(t, first, last);
    if (first == last || t[first] == ';')
        return line;
    if (t[first] == '[') {
        const auto close = t.rfind(']', last - 1);
        if (close != std::string::npos && close > first) {
            line.kind = TLine_Kind::Section;
            line.name_begin = first + 1;
            line.name_end = close;
            Trim(t, line.name_begin, line.name_end);
            return line;
        }
    }
    line.name_begin = first;
    const auto equals = t.find('=', first);
    if (equals == std::string::npos) {
        // Windows takes a line without "=" for a key without a value.
        line.kind = TLine_Kind::Key;
        line.name_end = last;
        return line;
    }
    line.name_end = equals;
    Trim(t, line.name_begin, line.name_end);
    if (line.name_begin == line.name_end)
        return line;
    line.kind = TLine_Kind::Key;
    line.has_value = true;
    line.value_begin = equals + 1;
    line.value_end = last;
    Trim(t, line.value_begin, line.value_end);
    return line;
}

std::optional<std::size_t> TProfile_File::Find_Section(const std::string& section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto& line = lines_[i];
        if (line.kind == TLine_Kind::Section && Same_Name(line.text, line.name_begin, line.name_end, section))
            return i;
    }
    return std::nullopt;
}

std::size_t TProfile_File::Section_End(std::size_t header) const
{
    std::size_t end = header + 1;
    while (end < lines_.size() && lines_[end].kind != TLine_Kind::Section)
        ++end;
    return end;
}

std::optional<std::size_t> TProfile_File::Find_Key(const std::string& section, const std::string& key) const
{
    auto header = Find_Section(section);
    if (!header)
        return std::nullopt;
    for (std::size_t i = *header + 1; i < lines_.size() && lines_[i].kind != TLine_Kind::Section; ++i) {
        const auto& line = lines_[i];
        if (line.kind == TLine_Kind::Key && Same_Name(line.text, line.name_begin, line.name_end, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> TProfile_File::Read_Value(const std::string& section, const std::string& key) const
{
    auto found = Find_Key(section, key);
    if (!found)
        return std::nullopt;
    const auto& line = lines_[*found];
    if (!line.has_value)
        return std::nullopt;
    const std::string value =
        line.text.substr(line.value_begin, Up_To_Nul(line.text, line.value_begin, line.value_end) - line.value_begin);
    return Seen_Value(value, Value_Limit, encoding_);
}

std::string TProfile_File::Read_String(const std::string& section, const std::string& key,
                                       const std::string& default_value) const
{
    return Read_Value(section, key).value_or(default_value);
}

std::int32_t TProfile_File::Read_Integer(const std::string& section, const std::string& key,
                                         std::int32_t default_value) const
{
    auto value = Read_Value(section, key);
    if (!value)
        return default_value;
    return Parse_Integer(*value).value_or(default_value);
}

bool TProfile_File::Read_Bool(const std::string& section, const std::string& key, bool default_value) const
{
    return Read_Integer(section, key, default_value ? 1 : 0) != 0;
}

void TProfile_File::Write_String(const std::string& section, const std::string& key, const std::string& value)
{
    if (Has_Line_Break(value))
        throw EHoravoxError("The value of " + key + " holds a line break and cannot be written to " + path_);
    // A name must read back as written: names are found trimmed, and a key
    // line starting with "[" or ";" would read as a section or a comment.
    const auto unreadable_name = [](const std::string& name) {
        return name.empty() || Is_Blank(name.front()) || Is_Blank(name.back()) || Has_Line_Break(name) ||
               name.find('\0') != std::string::npos;
    };
    if (unreadable_name(section) || unreadable_name(key) || section.find(']') != std::string::npos ||
        key.find('=') != std::string::npos || key.front() == '[' || key.front() == ';' ||
        !Fits_Profile_Encoding(section, encoding_) || !Fits_Profile_Encoding(key, encoding_) ||
        !Fits_Profile_Encoding(value, encoding_))
        throw EHoravoxError("The key \"" + key + "\" of section \"" + section + "\" cannot be written to " + path_);

    if (auto found = Find_Key(section, key)) {
        auto& line = lines_[*found];
        const std::string text = line.has_value
                                     ? line.text.substr(0, line.value_begin) + value + line.text.substr(line.value_end)
                                     : line.text.substr(0, line.name_end) + "=" + value;
        line = Parse_Line(text, line.line_break);
        return;
    }
    const std::string crlf = "\r\n";
    auto header = Find_Section(section);
    if (!header) {
        if (!lines_.empty() && lines_.back().line_break.empty())
            lines_.back().line_break = crlf;
        lines_.push_back(Parse_Line("[" + section + "]", crlf));
        lines_.push_back(Parse_Line(key + "=" + value, crlf));
        return;
    }
    std::size_t last = Section_End(*header) - 1;
    while (last > *header && lines_[last].kind == TLine_Kind::Other &&
           lines_[last].text.find_first_not_of(" \t") == std::string::npos)
        --last;
    if (lines_[last].line_break.empty())
        lines_[last].line_break = crlf;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1), Parse_Line(key + "=" + value, crlf));
}

std::string TProfile_File::Contents() const
{
    TProfile_Text text{encoding_, "", trailer_};
    for (const auto& line : lines_)
        text.text += line.text + line.line_break;
    return Encode_Profile_Text(text);
}

void TProfile_File::Save() const
{
    if (unreadable_ || !Write_File_Safely(path_, Contents())) {
        std::error_code error;
        auto full_path = std::filesystem::absolute(Path_Of(path_), error);
        throw EHoravoxError("Unable to write to " + (error ? path_ : Name_Of(full_path)));
    }
}
