#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/Profile_Encoding.h"

// An initialisation file: "[section]" header lines and "key=value" lines. The
// file is read once when the object is made; writes change the copy in memory
// and Save puts it on disk in one piece. It means what it means to Windows'
// own reader, also where the format says nothing, since users edit the file by
// hand and copy it between systems:
// - section and key names match without regard to letter case; blanks (space,
//   tab, vertical tab, form feed and ^Z) around names and values are ignored;
// - a header's name runs to the last "]" of its line; a NUL byte ends a name
//   or a value;
// - the first of duplicate sections or keys is the one read and written, and a
//   key line without "=" counts (with no value, so its default is read);
// - one pair of matching quotes around a value is dropped;
// - a file that starts with a byte-order mark is Unicode (UTF-8 or UTF-16) and
//   is written back in its encoding; see Profile_Encoding.h.
//
// Written here rather than taken from a library because saving must keep every
// line it does not change byte for byte, which no INI library does.
class TProfile_File {
public:
    // At most this many characters of a value are read (UTF-16 units in a Unicode file).
    static constexpr std::size_t Value_Limit = 2047;

    // A missing or unreadable file reads as empty; so does anything that is
    // not a regular file (a FIFO, a device), which is never waited on.
    explicit TProfile_File(std::string path);

    const std::string& Path() const { return path_; }

    // The value as Windows reads it: trimmed, up to a NUL, without its
    // quotes, cut to Value_Limit characters; none when the section or key is
    // missing or the key has no "=".
    std::optional<std::string> Read_Value(const std::string& section, const std::string& key) const;
    std::string Read_String(const std::string& section, const std::string& key, const std::string& default_value) const;
    // Decimal with an optional sign, or hexadecimal after "0x", "0X" or "$"; anything else gives the default.
    std::int32_t Read_Integer(const std::string& section, const std::string& key, std::int32_t default_value) const;
    // An integer read with the default 1 or 0; any non-zero number is true.
    bool Read_Bool(const std::string& section, const std::string& key, bool default_value) const;

    // Replaces the key's value in place (a key line without "=" becomes
    // "key=value"), or adds the key at the end of its section (creating the
    // section at the end of the file). Throws EHoravoxError, changing nothing,
    // for names or values that would break the file or never read back: a
    // line break anywhere, "=" in a key, "]" in a section, blanks around a
    // name, a NUL in a name, a key starting with "[" or ";", or text that a
    // UTF-16 file cannot hold (not UTF-8).
    void Write_String(const std::string& section, const std::string& key, const std::string& value);

    // The whole text, as Save would write it.
    std::string Contents() const;

    // Writes a temporary file beside the target and renames it over the
    // target, so a crash or a full disk never leaves a truncated file. Throws
    // EHoravoxError "Unable to write to <full path>" when the file is
    // read-only, its directory is missing or not writable, or the file existed
    // but could not be read; the existing file is then left as it was.
    void Save() const;

private:
    enum class TLine_Kind { Other, Section, Key };
    struct TLine {
        std::string text;        // without its line break
        std::string line_break;  // "\r\n", "\n", "\r", or empty on a last line without one
        TLine_Kind kind = TLine_Kind::Other;
        bool has_value = false;  // a key line with "="
        // The trimmed name of the section or key, and the trimmed value of a key, as offsets into `text`.
        std::size_t name_begin = 0, name_end = 0, value_begin = 0, value_end = 0;
    };

    static TLine Parse_Line(std::string text, std::string line_break);
    std::optional<std::size_t> Find_Section(const std::string& section) const;
    std::size_t Section_End(std::size_t header) const;
    std::optional<std::size_t> Find_Key(const std::string& section, const std::string& key) const;

    std::string path_;
    std::vector<TLine> lines_;
    TProfile_Encoding encoding_ = TProfile_Encoding::Bytes;
    std::string trailer_;          // see TProfile_Text
    bool unreadable_ = false;      // the file exists but could not be read (or is no regular file)
};
