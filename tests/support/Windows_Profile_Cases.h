#pragma once
#include <optional>
#include <string>
#include <vector>

// Settings files whose meaning Windows' own reader decides where the format
// says nothing, with what the reader must give for one key of section
// "vocahora". The same files are compared with Windows' reader under Wine,
// key by key.
struct TWindows_Profile_Case {
    std::string what;
    std::string content;
    std::string key;
    std::optional<std::string> value;  // none: the key's default is read
};

inline std::string Utf16(const std::u16string& text, bool big_endian = false)
{
    std::string bytes;
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += big_endian ? high : low;
        bytes += big_endian ? low : high;
    }
    return bytes;
}

inline std::vector<TWindows_Profile_Case> Windows_Profile_Cases()
{
    using namespace std::string_literals;
    const std::string top = "Always_on_Top_Option";
    const std::string posn = "window_top_posn";
    const std::string directory = "Sound_Directory_Edit";
    const std::string section = "[vocahora]\r\n";
    const std::string on_top = "Always_on_Top_Option=1\r\n";
    return {
        // Quotes around a value.
        {"double quotes", section + "window_top_posn=\"123\"\r\n", posn, "123"},
        {"single quotes", section + "window_top_posn='5'\r\n", posn, "5"},
        {"quotes inside blanks", section + "window_top_posn= \"1\" \r\n", posn, "1"},
        {"blanks inside quotes", section + "Sound_Directory_Edit=\" C:\\a \"\r\n", directory, " C:\\a "},
        {"empty quotes", section + "window_top_posn=\"\"\r\n", posn, ""},
        {"three quotes", section + "window_top_posn=\"\"\"\r\n", posn, "\""},
        {"a lone quote", section + "window_top_posn=\"\r\n", posn, "\""},
        {"quotes that differ", section + "window_top_posn=\"1'\r\n", posn, "\"1'"},
        // Vertical tab, form feed and ^Z count as blanks.
        {"^Z after a value", section + "Always_on_Top_Option=1\x1a\r\n", top, "1"},
        {"vertical tab and form feed around a key", section + "\vAlways_on_Top_Option\f=\v1\f\r\n", top, "1"},
        {"vertical tab before the header", "\v[vocahora]\r\n" + on_top, top, "1"},
        {"form feed and ^Z inside the brackets", "[\fvocahora\x1a]\r\n" + on_top, top, "1"},
        {"blanks inside the brackets", "  [ vocahora ]  \r\n" + on_top, top, "1"},
        {"other control characters are no blanks", section + "Sound_Directory_Edit=\x1c" "a\x1f\r\n", directory,
         "\x1c" "a\x1f"},
        {"a no-break space is no blank", section + "Always_on_Top_Option=\xa0" "1\r\n", top, "\xa0" "1"},
        // A header's name runs to its last "]".
        {"a second ]", "[vocahora]x]\r\n" + on_top, top, std::nullopt},
        {"a comment holding ]", "[vocahora] ; was [old]\r\n" + on_top, top, std::nullopt},
        {"a comment after the header", "[vocahora] ; mine\r\n" + on_top, top, "1"},
        // A NUL byte ends a name or a value.
        {"NUL after a value", section + "Always_on_Top_Option=1\0junk\r\n"s, top, "1"},
        {"NUL after a blank", section + "window_top_posn=1 \0x\r\n"s, posn, "1 "},
        {"NUL before the closing quote", section + "window_top_posn=\"1\0\"\r\n"s, posn, "\"1"},
        {"NUL starting a value", section + "Always_on_Top_Option= \0 1\r\n"s, top, ""},
        {"NUL inside a key", section + "Always_on_Top\0_Option=1\r\n"s, top, std::nullopt},
        {"NUL after a key", section + "window_top_posn\0 junk=2\r\n"s, posn, "2"},
        {"NUL inside a section name", "[voca\0hora]\r\n"s + on_top, top, std::nullopt},
        {"NUL closing a section name", "[vocahora\0 junk]\r\n"s + on_top, top, "1"},
        {"NUL starting a line", section + "\0[other]\r\n"s + on_top, top, "1"},
        // A key line without "=".
        {"a key without = first", section + "Always_on_Top_Option\r\n" + on_top, top, std::nullopt},
        {"a key without = after", section + on_top + "Always_on_Top_Option\r\n", top, "1"},
        {"a text key without =", section + "Sound_Directory_Edit\r\nSound_Directory_Edit=C:\\\r\n", directory,
         std::nullopt},
        // Byte-order marks.
        {"UTF-8 mark", "\xEF\xBB\xBF" + section + on_top, top, "1"},
        {"UTF-8 mark twice", "\xEF\xBB\xBF\xEF\xBB\xBF" + section + on_top, top, std::nullopt},
        {"UTF-8 text", "\xEF\xBB\xBF" + section + "Sound_Directory_Edit=C:\\Caf\xC3\xA9\r\n", directory,
         "C:\\Caf\xC3\xA9"},
        {"UTF-16LE", Utf16(u"\uFEFF[vocahora]\r\nAlways_on_Top_Option=1\r\n"), top, "1"},
        {"UTF-16LE text", Utf16(u"\uFEFF[vocahora]\r\nSound_Directory_Edit=C:\\Caf\u00E9\r\n"), directory,
         "C:\\Caf\xC3\xA9"},
        {"UTF-16BE", Utf16(u"\uFEFF[vocahora]\r\nAlways_on_Top_Option=1\r\n", true), top, "1"},
        {"UTF-16LE with an odd last byte", Utf16(u"\uFEFF[vocahora]\r\nAlways_on_Top_Option=1\r\n") + "x", top, "1"},
        {"UTF-16LE with NUL", Utf16(u"\uFEFF[vocahora]\r\nwindow_top_posn=1\0x\r\n"s), posn, "1"},
        // The 2047-character limit, with and without quotes.
        {"a long value", section + "Sound_Directory_Edit=" + std::string(3000, 'a') + "\r\n", directory,
         std::string(2047, 'a')},
        {"quoted, 2046 inside", section + "Sound_Directory_Edit=\"" + std::string(2046, 'b') + "\"\r\n", directory,
         std::string(2046, 'b')},
        {"quoted, 2047 inside", section + "Sound_Directory_Edit=\"" + std::string(2047, 'c') + "\"\r\n", directory,
         std::string(2046, 'c')},
        {"quoted, 2048 inside", section + "Sound_Directory_Edit=\"" + std::string(2048, 'd') + "\"\r\n", directory,
         std::string(2047, 'd')},
        {"a long UTF-16 value counts characters",
         Utf16(u"\uFEFF[vocahora]\r\nSound_Directory_Edit=" + std::u16string(3000, u'\u00E9') + u"\r\n"), directory,
         [] {
             std::string text;
             for (int i = 0; i < 2047; ++i)
                 text += "\xC3\xA9";
             return text;
         }()},
        // Where the document and Windows agree.
        {"LF line ends", "[vocahora]\nAlways_on_Top_Option=1\n", top, "1"},
        {"CR line ends", "[vocahora]\rAlways_on_Top_Option=1\r", top, "1"},
        {"mixed line ends", "[vocahora]\n\r\r\nwindow_top_posn = 7 \r", posn, "7"},
        {"letter case", "[VocaHora]\r\nALWAYS_ON_TOP_OPTION=1\r\n", top, "1"},
        {"blanks", " \t[vocahora]\t \r\n \t Always_on_Top_Option \t = \t 1 2 \t\r\n", top, "1 2"},
        {"duplicate keys", section + on_top + "Always_on_Top_Option=0\r\n", top, "1"},
        {"duplicate sections", section + "x=1\r\n[other]\r\n[VOCAHORA]\r\n" + on_top, top, std::nullopt},
        {"a key outside the section", on_top + section, top, std::nullopt},
        {"a commented key", section + ";Always_on_Top_Option=1\r\n# x\r\n", top, std::nullopt},
        {"a header without ]", "[vocahora\r\n" + on_top, top, std::nullopt},
        {"an empty section name", "[]\r\n" + on_top + section + "window_top_posn=4\r\n", top, std::nullopt},
        {"bytes of any code page", section + "Sound_Directory_Edit=\x80\x81\x8d\x8f\x90\x9d\xe9\xff\r\n", directory,
         "\x80\x81\x8d\x8f\x90\x9d\xe9\xff"},
        {"an = inside a value", section + "Sound_Directory_Edit= a=b \r\n", directory, "a=b"},
        {"number forms", section + "window_top_posn=$FF\r\n", posn, "$FF"},
        {"^Z ending the file", section + "window_top_posn=5\r\n\x1a", posn, "5"},
        {"no file content", "", top, std::nullopt},
    };
}
