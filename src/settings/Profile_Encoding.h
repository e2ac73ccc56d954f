#pragma once
#include <cstddef>
#include <string>

// How the text of an initialisation file is stored. Windows reads a file that
// starts with a byte-order mark as Unicode (UTF-8, or UTF-16 in either byte
// order) and any other as single bytes. In memory the text of a marked file is
// UTF-8 (an unpaired UTF-16 surrogate kept as its own three bytes), that of an
// unmarked file its bytes as they are, never converted; a file is written back
// in the encoding it was read in.
enum class TProfile_Encoding { Bytes, Utf8, Utf16_Le, Utf16_Be };

struct TProfile_Text {
    TProfile_Encoding encoding = TProfile_Encoding::Bytes;
    std::string text;
    std::string trailer;  // the odd last byte of a UTF-16 file, written back as it was
};

TProfile_Text Decode_Profile_Text(const std::string& bytes);

// The bytes of the file, mark included: Decode_Profile_Text's input again
// when nothing was changed.
std::string Encode_Profile_Text(const TProfile_Text& text);

// Whether `text` can be written in `encoding` and read back as the same text:
// anything in a byte or UTF-8 file, well-formed UTF-8 in a UTF-16 file.
bool Fits_Profile_Encoding(const std::string& text, TProfile_Encoding encoding);

// Characters as Windows counts them in a file of `encoding`: bytes in an
// unmarked file, UTF-16 units in a Unicode one (a byte that is not UTF-8 counts one).
std::size_t Character_Count(const std::string& text, TProfile_Encoding encoding);
// The first `count` characters of `text`, no character cut in two.
std::string Leading_Characters(const std::string& text, std::size_t count, TProfile_Encoding encoding);
// `text` without its last character.
std::string Without_Last_Character(const std::string& text, TProfile_Encoding encoding);
