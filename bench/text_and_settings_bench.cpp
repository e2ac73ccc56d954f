// How long the text helpers and the settings store take on inputs far beyond
// any real use: a rescanning Replace_All or a quadratic settings reader would
// show here as seconds, where a linear one takes milliseconds.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>

#include <unistd.h>

#include "settings/Settings_File.h"
#include "util/Text_Helpers.h"

namespace {

double Milliseconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main()
{
    const std::string backslashes(1'000'000, '\\');
    std::string many_files;
    for (int i = 0; i < 100'000; ++i)
        many_files += "d\\\\f.WAV";
    std::printf("%-52s %9s\n", "input", "ms");
    std::printf("%-52s %9.1f\n", "Replace_All: a run of 1 000 000 backslashes",
                Milliseconds([&] { Replace_All(backslashes, "\\\\", "\\"); }));
    std::printf("%-52s %9.1f\n", "Replace_All: \".WAV\" out of 100 000 paths",
                Milliseconds([&] { Replace_All(many_files, ".WAV", ""); }));

    std::mt19937 random(7);
    std::string bytes(10 * 1024 * 1024, '\0');
    for (auto& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);
    const auto path = std::filesystem::temp_directory_path() / ("horavox-bench-" + std::to_string(getpid()) + ".ini");
    std::ofstream(path, std::ios::binary) << bytes << "\r\n[vocahora]\r\nFastest_Play_Option=1\r\n";
    std::printf("%-52s %9.1f\n", "Load_Settings: 10 MB of random bytes and the section",
                Milliseconds([&] { Load_Settings(path.string(), "/opt/clock/"); }));
    std::printf("%-52s %9.1f\n", "Save_Settings: into the same file",
                Milliseconds([&] { Save_Settings(path.string(), Default_Settings("/opt/clock/")); }));
    std::filesystem::remove(path);
    return 0;
}
