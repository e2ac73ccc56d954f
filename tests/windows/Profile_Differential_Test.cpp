#include <windows.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string_view>

#include <gtest/gtest.h>

#include "system/Files.h"
#include "settings/Profile_File.h"
#include "support/Temp_Dir.h"
#include "support/Windows_Profile_Cases.h"
#include "windows/profile_keys.h"

namespace {

using namespace std::string_view_literals;

using TAnswers = std::map<std::pair<int, std::string>, std::optional<std::string>>;

// What GetPrivateProfileStringA gives for every key of every file, by file
// number (from 1) and key, asked by the separate program profile_probe.
TAnswers Windows_Answers(const TTemp_Dir& dir, const std::vector<std::string>& paths)
{
    std::ofstream list(dir.Dir() + "list.txt");
    for (const auto& path : paths)
        list << path << "\n";
    list.close();
    // cmd.exe takes the outer quotes off a line that starts with one.
    const std::string command =
        "\"\"" + Program_Directory() + "profile_probe.exe\" \"" + dir.Dir() + "list.txt\"\"";
    TAnswers answers;
    FILE* pipe = _popen(command.c_str(), "r");
    if (pipe == nullptr)
        return answers;
    char line[8192];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        int file = 0;
        std::string key, answer;
        fields >> file >> key >> answer;
        if (answer == "-") {
            answers[{file, key}] = std::nullopt;
            continue;
        }
        std::string value;
        for (std::size_t i = 1; i + 1 < answer.size(); i += 2)
            value += static_cast<char>(std::stoi(answer.substr(i, 2), nullptr, 16));
        answers[{file, key}] = value;
    }
    _pclose(pipe);
    return answers;
}

// The ANSI function hands text of a Unicode file over in the ANSI code page;
// the project's reader keeps it as UTF-8.
std::string As_Ansi(const std::string& utf8)
{
    if (utf8.empty())
        return utf8;
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), units, ansi.data(), bytes, nullptr, nullptr);
    return ansi;
}

bool Is_Unicode(const std::string& content)
{
    return content.starts_with("\xEF\xBB\xBF") || content.starts_with("\xFF\xFE") || content.starts_with("\xFE\xFF");
}

std::string Shown(const std::optional<std::string>& value)
{
    if (!value)
        return "(not found)";
    std::string shown = "\"";
    for (unsigned char c : *value)
        shown += c >= 0x20 && c < 0x7F && c != '\\' ? std::string(1, static_cast<char>(c))
                                                     : "\\x" + std::string(1, "0123456789abcdef"[c >> 4]) +
                                                           "0123456789abcdef"[c & 15];
    return shown + "\"";
}

// Writes the files, asks Windows' reader and the project's, and counts the files compared.
int Compare_With_Windows(const std::vector<TWindows_Profile_Case>& cases)
{
    TTemp_Dir dir;
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < cases.size(); ++i)
        paths.push_back(dir.Write("case-" + std::to_string(i) + ".ini", cases[i].content));
    const TAnswers windows = Windows_Answers(dir, paths);
    EXPECT_EQ(windows.size(), cases.size() * std::size(Profile_Keys)) << "profile_probe did not answer for every key";
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const TProfile_File file(paths[i]);
        for (const char* key : Profile_Keys) {
            auto ours = file.Read_Value("vocahora", key);
            if (ours && Is_Unicode(cases[i].content))
                ours = As_Ansi(*ours);
            const auto found = windows.find({static_cast<int>(i + 1), key});
            if (found == windows.end())
                continue;
            EXPECT_EQ(Shown(ours), Shown(found->second)) << cases[i].what << ", key " << key;
        }
    }
    return static_cast<int>(cases.size());
}

// Random settings files made of the pieces that matter to a reader.
class TProfile_Generator {
public:
    explicit TProfile_Generator(std::uint32_t seed) : random_(seed) {}

    TWindows_Profile_Case Next(int number)
    {
        std::string text;
        const int lines = Below(25) + 1;
        for (int i = 0; i < lines; ++i)
            text += Line() + Pick({"\r\n", "\r\n", "\r\n", "\n", "\r", "\r\r\n", "\n\n"});
        if (Below(4) == 0)
            text += Line();
        const int encoding = Below(10);
        std::string content = text;
        if (encoding == 0)
            content = "\xEF\xBB\xBF" + Ascii_Only(text);
        else if (encoding == 1)
            content = "\xFF\xFE" + Utf16(As_Utf16(Ascii_Only(text)));
        return {"generated file " + std::to_string(number), content, "", std::nullopt};
    }

private:
    int Below(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }
    std::string Pick(std::initializer_list<std::string_view> choices)
    {
        return std::string(*(choices.begin() + Below(static_cast<int>(choices.size()))));
    }
    std::string Blanks()
    {
        std::string blanks;
        for (int n = Below(3); n > 0; --n)
            blanks += Pick({" ", "\t", "\v", "\f", "\x1a", "\xa0", "\x1c"});
        return blanks;
    }
    std::string Section_Name()
    {
        return Pick({"vocahora", "vocahora", "VOCAHORA", "VocaHora", "other", "vocahora]x", "voca hora", "",
                     "vocahora\0x"sv});
    }
    std::string Key()
    {
        std::string key = Below(6) == 0 ? Pick({"unknown", "window", "Always_on_Top"}) : Profile_Keys[Below(28)];
        for (char& c : key)
            if (Below(8) == 0)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (Below(20) == 0)
            key.insert(static_cast<std::size_t>(Below(static_cast<int>(key.size()) + 1)), 1, '\0');
        return key;
    }
    std::string Value()
    {
        std::string value = Pick({"1", "0", "7", "-5", "+3", "0x1F", "0X1f", "$ff", "$FFFFFFFF", "2147483648", "12abc",
                                  "true", "", "1.0", "C:\\Clock\\", "/opt/clock/", "a=b", "\"1\"", "'0'", "\"",
                                  "\"x'", "1\0junk"sv, "\xe9t\xe9", "\x80\x81\x9d"});
        if (Below(10) == 0)
            value = std::string(static_cast<std::size_t>(2040 + Below(20)), 'v');
        if (Below(6) == 0) {
            const std::string quote = Pick({"\"", "'"});
            value = quote + value + quote;
        }
        return value;
    }
    std::string Line()
    {
        switch (Below(12)) {
        case 0:
        case 1:
            return Blanks() + "[" + Blanks() + Section_Name() + Blanks() + "]" + Pick({"", "", " ; note", "x]", "\0"sv});
        case 2:
            return Pick({";", "#", "; "}) + Key() + "=" + Value();
        case 3:
            return Blanks();
        case 4:
            return Blanks() + Key() + Blanks();
        case 5: {
            std::string garbage;
            for (int n = Below(12); n > 0; --n) {
                const char c = static_cast<char>(Below(256));
                if (c != '\r' && c != '\n')
                    garbage += c;
            }
            return garbage;
        }
        default:
            return Blanks() + Key() + Blanks() + "=" + Blanks() + Value() + Blanks();
        }
    }
    static std::string Ascii_Only(std::string text)
    {
        for (char& c : text)
            if (static_cast<unsigned char>(c) >= 0x80)
                c = '?';
        return text;
    }
    static std::u16string As_Utf16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

    std::mt19937 random_;
};

TEST(Profile_Differential, HandWrittenFilesReadAsWindowsReadsThem)
{
    const auto cases = Windows_Profile_Cases();
    EXPECT_EQ(Compare_With_Windows(cases), static_cast<int>(cases.size()));
}

TEST(Profile_Differential, GeneratedFilesReadAsWindowsReadsThem)
{
    std::vector<TWindows_Profile_Case> cases;
    for (const std::uint32_t seed : {20261208u, 1u, 4242u}) {
        TProfile_Generator generator(seed);
        for (int i = 0; i < 100; ++i)
            cases.push_back(generator.Next(static_cast<int>(cases.size())));
    }
    EXPECT_EQ(Compare_With_Windows(cases), 300);
}

}  // namespace
