// Arbitrary bytes as a settings file, with three oracles: a file that is not
// edited saves byte for byte; a written key reads back and no other key
// changes; load, save and load again gives the same settings.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include "settings/Profile_Encoding.h"
#include "settings/Profile_File.h"
#include "settings/Settings_File.h"
#include "util/Horavox_Error.h"

namespace {

std::string File_Path;

std::string Read_File(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::string& content)
{
    std::ofstream(File_Path, std::ios::binary | std::ios::trunc) << content;
}

void Check(bool holds, const char* what)
{
    if (!holds) {
        fprintf(stderr, "oracle failed: %s\n", what);
        abort();
    }
}

// What Windows' reader trims around names and values.
const char Blanks[] = " \t\v\f\x1a";

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(Blanks);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// A value as it reads back once written: trimmed, up to a NUL, one pair of
// matching quotes dropped (and with them the last character of a value that
// fills the reading buffer), at most Value_Limit characters.
std::string Read_Back(const std::string& value, TProfile_Encoding encoding)
{
    std::string text = Trimmed(value);
    text = text.substr(0, text.find('\0'));
    const std::size_t limit = TProfile_File::Value_Limit;
    if (text.size() < 2 || (text[0] != '"' && text[0] != '\'') || text.back() != text[0])
        return Leading_Characters(text, limit, encoding);
    const std::string inner = text.substr(1);
    const std::string seen = Leading_Characters(inner, limit, encoding);
    return Character_Count(inner, encoding) <= limit + 1 ? Without_Last_Character(seen, encoding) : seen;
}

// Every section and key name the file could hold, read the slow way: the
// names on "[...]" lines and before "=", each with its section.
std::vector<std::pair<std::string, std::string>> Probe_Names(const std::string& content)
{
    std::vector<std::pair<std::string, std::string>> names;
    std::string section;
    std::size_t start = 0;
    while (start <= content.size()) {
        auto end = content.find_first_of("\r\n", start);
        const std::string line = content.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const std::string trimmed = Trimmed(line);
        if (trimmed.starts_with("[") && trimmed.find(']') != std::string::npos)
            section = Trimmed(trimmed.substr(1, trimmed.find(']') - 1));
        else if (trimmed.find('=') != std::string::npos)
            names.emplace_back(section, Trimmed(trimmed.substr(0, trimmed.find('='))));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    names.emplace_back("vocahora", "Sound_Directory_Edit");
    return names;
}

bool Same_Name(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const char* shm = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : nullptr;
    const char* tmp = shm ? shm : (std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp");
    File_Path = std::string(tmp) + "/horavox-fuzz-" + std::to_string(getpid()) + ".ini";
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string section = provider.ConsumeRandomLengthString(24);
    const std::string key = provider.ConsumeRandomLengthString(24);
    const std::string value = provider.ConsumeRandomLengthString(64);
    const std::string content = provider.ConsumeRemainingBytesAsString();

    // An unedited file saves byte for byte.
    Write(content);
    {
        TProfile_File file(File_Path);
        Check(file.Contents() == content, "an unedited file keeps every byte");
        file.Save();
        Check(Read_File(File_Path) == content, "an unedited file saves byte for byte");
    }

    // A written key reads back; every other key reads as before, also from the saved file.
    {
        TProfile_File file(File_Path);
        const auto probes = Probe_Names(content);
        std::vector<std::optional<std::string>> before;
        for (const auto& [probe_section, probe_key] : probes)
            before.push_back(file.Read_Value(probe_section, probe_key));
        bool written = true;
        try {
            file.Write_String(section, key, value);
        } catch (const EHoravoxError&) {
            written = false;
            Check(file.Contents() == content, "a refused write changes nothing");
        }
        file.Save();
        const TProfile_File reread(File_Path);
        const std::string expected = Read_Back(value, Decode_Profile_Text(content).encoding);
        if (written) {
            Check(file.Read_Value(section, key) == expected, "a written key reads back");
            Check(reread.Read_Value(section, key) == expected, "a written key reads back from the saved file");
        }
        for (std::size_t i = 0; i < probes.size(); ++i) {
            const auto& [probe_section, probe_key] = probes[i];
            if (written && Same_Name(probe_section, section) && Same_Name(probe_key, key))
                continue;
            Check(file.Read_Value(probe_section, probe_key) == before[i], "no other key changes");
            Check(reread.Read_Value(probe_section, probe_key) == before[i], "no other key changes in the saved file");
        }
    }

    // Load, save and load again gives the same settings; the sound directory
    // is written verbatim, so it comes back as any value written does.
    Write(content);
    ClockSettings loaded = Load_Settings(File_Path, "/opt/clock/");
    Save_Settings(File_Path, loaded);
    loaded.Sound_Directory_Edit = Read_Back(loaded.Sound_Directory_Edit, Decode_Profile_Text(content).encoding);
    Check(Load_Settings(File_Path, "/opt/clock/") == loaded, "load-save-load gives the same settings");
    return 0;
}
