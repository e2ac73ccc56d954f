#include "settings/Profile_Encoding.h"

#include <cstdint>
#include <optional>

namespace {

constexpr char Utf8_Mark[] = "\xEF\xBB\xBF";
constexpr char Utf16_Le_Mark[] = "\xFF\xFE";
constexpr char Utf16_Be_Mark[] = "\xFE\xFF";

struct TSequence {
    std::uint32_t code_point;
    std::size_t length;
};

// The UTF-8 sequence that starts at `at`; none for a byte that starts no
// well-formed one. Surrogates are taken, so that an unpaired one read from a
// UTF-16 file goes back unchanged; overlong forms are not.
std::optional<TSequence> Sequence_At(const std::string& text, std::size_t at)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return TSequence{lead, 1};
    std::size_t length;
    std::uint32_t code_point;
    std::uint32_t smallest;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code_point = lead & 0x1Fu, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code_point = lead & 0x0Fu, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code_point = lead & 0x07u, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (at + length > text.size())
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return std::nullopt;
        code_point = code_point << 6 | (byte(at + i) & 0x3Fu);
    }
    if (code_point < smallest || code_point > 0x10FFFF)
        return std::nullopt;
    return TSequence{code_point, length};
}

struct TCharacter {
    std::size_t units;   // as Windows counts them
    std::size_t length;  // in bytes
};

TCharacter Character_At(const std::string& text, std::size_t at, TProfile_Encoding encoding)
{
    if (encoding == TProfile_Encoding::Bytes)
        return {1, 1};
    const auto sequence = Sequence_At(text, at);
    if (!sequence)
        return {1, 1};
    return {sequence->code_point > 0xFFFF ? 2u : 1u, sequence->length};
}

void Append_Utf8(std::string& text, std::uint32_t code_point)
{
    const auto append = [&text](std::uint32_t byte) { text += static_cast<char>(byte); };
    if (code_point < 0x80) {
        append(code_point);
    } else if (code_point < 0x800) {
        append(0xC0 | code_point >> 6);
        append(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        append(0xE0 | code_point >> 12);
        append(0x80 | (code_point >> 6 & 0x3F));
        append(0x80 | (code_point & 0x3F));
    } else {
        append(0xF0 | code_point >> 18);
        append(0x80 | (code_point >> 12 & 0x3F));
        append(0x80 | (code_point >> 6 & 0x3F));
        append(0x80 | (code_point & 0x3F));
    }
}

std::uint32_t Unit_At(const std::string& bytes, std::size_t at, bool big_endian)
{
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return big_endian ? first << 8 | second : second << 8 | first;
}

void Append_Unit(std::string& bytes, std::uint32_t unit, bool big_endian)
{
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
}

bool Is_High_Surrogate(std::uint32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool Is_Low_Surrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

TProfile_Text Decode_Utf16(const std::string& bytes, TProfile_Encoding encoding)
{
    const bool big_endian = encoding == TProfile_Encoding::Utf16_Be;
    TProfile_Text decoded{encoding, "", ""};
    std::size_t at = 2;
    for (; at + 1 < bytes.size(); at += 2) {
        std::uint32_t unit = Unit_At(bytes, at, big_endian);
        if (Is_High_Surrogate(unit) && at + 3 < bytes.size() && Is_Low_Surrogate(Unit_At(bytes, at + 2, big_endian))) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (Unit_At(bytes, at + 2, big_endian) - 0xDC00);
            at += 2;
        }
        Append_Utf8(decoded.text, unit);
    }
    decoded.trailer = bytes.substr(at);
    return decoded;
}

std::string Encode_Utf16(const TProfile_Text& text)
{
    const bool big_endian = text.encoding == TProfile_Encoding::Utf16_Be;
    std::string bytes = big_endian ? Utf16_Be_Mark : Utf16_Le_Mark;
    for (std::size_t at = 0; at < text.text.size();) {
        // Only well-formed text is ever stored in a UTF-16 file (Fits_Profile_Encoding).
        const TSequence sequence = Sequence_At(text.text, at).value_or(TSequence{0xFFFD, 1});
        if (sequence.code_point > 0xFFFF) {
            Append_Unit(bytes, 0xD800 + ((sequence.code_point - 0x10000) >> 10), big_endian);
            Append_Unit(bytes, 0xDC00 + ((sequence.code_point - 0x10000) & 0x3FF), big_endian);
        } else {
            Append_Unit(bytes, sequence.code_point, big_endian);
        }
        at += sequence.length;
    }
    return bytes + text.trailer;
}

}  // namespace

TProfile_Text Decode_Profile_Text(const std::string& bytes)
{
    if (bytes.starts_with(Utf8_Mark))
        return {TProfile_Encoding::Utf8, bytes.substr(3), ""};
    if (bytes.starts_with(Utf16_Le_Mark))
        return Decode_Utf16(bytes, TProfile_Encoding::Utf16_Le);
    if (bytes.starts_with(Utf16_Be_Mark))
        return Decode_Utf16(bytes, TProfile_Encoding::Utf16_Be);
    return {TProfile_Encoding::Bytes, bytes, ""};
}

std::string Encode_Profile_Text(const TProfile_Text& text)
{
    switch (text.encoding) {
    case TProfile_Encoding::Utf8:
        return Utf8_Mark + text.text;
    case TProfile_Encoding::Utf16_Le:
    case TProfile_Encoding::Utf16_Be:
        return Encode_Utf16(text);
    case TProfile_Encoding::Bytes:
        break;
    }
    return text.text;
}

bool Fits_Profile_Encoding(const std::string& text, TProfile_Encoding encoding)
{
    if (encoding != TProfile_Encoding::Utf16_Le && encoding != TProfile_Encoding::Utf16_Be)
        return true;
    for (std::size_t at = 0; at < text.size();) {
        const auto sequence = Sequence_At(text, at);
        if (!sequence)
            return false;
        at += sequence->length;
    }
    return true;
}

std::size_t Character_Count(const std::string& text, TProfile_Encoding encoding)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size();) {
        const TCharacter character = Character_At(text, at, encoding);
        count += character.units;
        at += character.length;
    }
    return count;
}

std::string Leading_Characters(const std::string& text, std::size_t count, TProfile_Encoding encoding)
{
    std::size_t at = 0;
    std::size_t counted = 0;
    while (at < text.size()) {
        const TCharacter character = Character_At(text, at, encoding);
        if (counted + character.units > count)
            break;
        counted += character.units;
        at += character.length;
    }
    return text.substr(0, at);
}

std::string Without_Last_Character(const std::string& text, TProfile_Encoding encoding)
{
    std::size_t last = 0;
    for (std::size_t at = 0; at < text.size(); at += Character_At(text, at, encoding).length)
        last = at;
    return text.substr(0, last);
}
