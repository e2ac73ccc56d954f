#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "Audio_Test_Support.h"
#include "audio/linux/Sdl_Library.h"
#include "audio/Wav_Render.h"
#include "util/Horavox_Error.h"

namespace {

struct TDecoded {
    SDL_AudioSpec Spec{};
    std::vector<std::int16_t> Samples;
};

TDecoded Load(const std::string& path)
{
    const TSdl_Use sdl;
    TDecoded decoded;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (sdl->LoadWAV_RW(sdl->RWFromFile(path.c_str(), "rb"), 1, &decoded.Spec, &buffer, &length) == nullptr) {
        ADD_FAILURE() << sdl->GetError();
        return decoded;
    }
    decoded.Samples.resize(length / 2);
    if (length > 0)
        std::memcpy(decoded.Samples.data(), buffer, length);
    sdl->FreeWAV(buffer);
    return decoded;
}

TEST(Wav_Render_Test, ConcatenatesFilesOfAnyFormatInOrder)
{
    TTemp_Dir dir;
    const std::vector<std::string> parts{
        Write_Tone_File(dir, "10.WAV", 500, 0.4, 22050, 1),
        Write_Tone_File(dir, "AM.WAV", 1500, 0.3, 44100, 2),
        Write_Tone_File(dir, "10 again.WAV", 500, 0.2, 11025, 1),
    };
    const std::string output = (dir.Path() / "out.wav").string();
    Render_Wav(parts, output);

    const TDecoded decoded = Load(output);
    EXPECT_EQ(decoded.Spec.freq, Render_Frequency);
    EXPECT_EQ(decoded.Spec.channels, 1);
    EXPECT_EQ(decoded.Spec.format, AUDIO_S16LSB);
    EXPECT_NEAR(static_cast<double>(decoded.Samples.size()) / Render_Frequency, 0.9, 0.01);

    const auto runs = Find_Tone_Runs(decoded.Samples, 1, Render_Frequency, {500, 1500}, 441);
    ASSERT_EQ(runs.size(), 3u);
    const double expected[] = {500, 1500, 500};
    for (std::size_t i = 0; i < runs.size(); ++i)
        EXPECT_EQ(runs[i].Frequency, expected[i]) << i;
}

TEST(Wav_Render_Test, NoFilesGiveAnEmptyButValidWav)
{
    TTemp_Dir dir;
    const std::string output = (dir.Path() / "out.wav").string();
    Render_Wav(std::vector<std::string>{}, output);
    EXPECT_EQ(std::filesystem::file_size(output), 44u);
    EXPECT_TRUE(Load(output).Samples.empty());
}

TEST(Wav_Render_Test, FailuresNameTheFileAndLeaveNoOutput)
{
    TTemp_Dir dir;
    const std::string good = Write_Tone_File(dir, "10.WAV", 500, 0.1);
    const std::string output = (dir.Path() / "out.wav").string();
    struct TCase {
        std::string label;
        std::vector<std::string> inputs;
        std::string output;
        std::string text_part;
    };
    const TCase cases[] = {
        {"missing input", {good, (dir.Path() / "7.WAV").string()}, output, "7.WAV"},
        {"text input", {dir.Write("PM.WAV", "not a sound")}, output, "PM.WAV"},
        {"directory input", {dir.Path().string()}, output, "directory"},
        {"output in a missing directory", {good}, (dir.Path() / "none" / "out.wav").string(), "none/out.wav"},
        {"output is a directory", {good}, dir.Path().string(), "Cannot write"},
    };
    for (const auto& c : cases) {
        try {
            Render_Wav(c.inputs, c.output);
            ADD_FAILURE() << c.label << ": rendered";
        } catch (const EHoravoxError& error) {
            EXPECT_NE(std::string(error.what()).find(c.text_part), std::string::npos) << c.label << ": " << error.what();
        }
        EXPECT_FALSE(std::filesystem::exists(output)) << c.label;
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path()));
}

// Whether the build carries AddressSanitizer, whose quarantine and shadow
// memory make peak sizes meaningless.
constexpr bool Sanitized_Build()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
    return __has_feature(address_sanitizer);
#else
    return false;
#endif
}

long Peak_Resident_Kib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// An 8-bit mono 8 kHz file of `megabytes` of noise, written a piece at a time.
std::string Write_Long_8_Bit_File(const TTemp_Dir& dir, std::uint32_t megabytes)
{
    const std::uint32_t data_size = megabytes << 20;
    std::string header = "RIFF....WAVEfmt ";
    const std::uint32_t fields[] = {16, 1 | (1u << 16), 8000, 8000, 1 | (8u << 16)};
    for (const std::uint32_t field : fields)
        header.append(reinterpret_cast<const char*>(&field), 4);
    header += "data";
    header.append(reinterpret_cast<const char*>(&data_size), 4);
    const std::uint32_t riff_size = data_size + 36;
    header.replace(4, 4, reinterpret_cast<const char*>(&riff_size), 4);
    const std::string path = (dir.Path() / "long.WAV").string();
    std::ofstream out(path, std::ios::binary);
    out << header;
    std::string piece(1 << 16, '\0');
    for (std::size_t i = 0; i < piece.size(); ++i)
        piece[i] = static_cast<char>(0x80 + static_cast<int>(60 * std::sin(static_cast<double>(i) * 0.3)));
    for (std::uint32_t written = 0; written < data_size; written += static_cast<std::uint32_t>(piece.size()))
        out << piece;
    return path;
}

// A long recording renders to five and a half times its size; the renderer
// must never hold that result, only the file it reads.
TEST(Wav_Render_Test, ALongFileRendersWithoutHoldingTheResult)
{
    if (Sanitized_Build())
        GTEST_SKIP() << "peak memory under AddressSanitizer says nothing";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    constexpr std::uint32_t Input_Mib = 16;
    EXPECT_EXIT(
        {
            TTemp_Dir dir;
            const std::string input = Write_Long_8_Bit_File(dir, Input_Mib);
            const long before = Peak_Resident_Kib();
            Render_Wav({input}, (dir.Path() / "out.wav").string());
            const long grown_mib = (Peak_Resident_Kib() - before) / 1024;
            std::fprintf(stderr, "peak grew by %ld MiB\n", grown_mib);
            std::exit(grown_mib < Input_Mib + 16 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
