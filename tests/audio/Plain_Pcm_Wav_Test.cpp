#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "Audio_Test_Support.h"
#include "audio/Plain_Pcm_Wav.h"
#include "audio/linux/Sdl_Library.h"
#include "audio/Wav_Render.h"

namespace {

struct TChunk {
    std::string Id;
    std::vector<std::uint8_t> Body;
};

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> Format(int tag, int channels, int rate, int bits)
{
    std::vector<std::uint8_t> body;
    const int block = channels * bits / 8;
    Put(body, static_cast<std::uint32_t>(tag), 2);
    Put(body, static_cast<std::uint32_t>(channels), 2);
    Put(body, static_cast<std::uint32_t>(rate), 4);
    Put(body, static_cast<std::uint32_t>(rate * block), 4);
    Put(body, static_cast<std::uint32_t>(block), 2);
    Put(body, static_cast<std::uint32_t>(bits), 2);
    return body;
}

// `declared` overrides a chunk's size field (for truncated files).
std::vector<std::uint8_t> Riff(const std::vector<TChunk>& chunks, std::optional<std::uint32_t> declared_last = {})
{
    std::vector<std::uint8_t> file{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        const TChunk& chunk = chunks[i];
        file.insert(file.end(), chunk.Id.begin(), chunk.Id.end());
        const bool last = i + 1 == chunks.size();
        Put(file, last && declared_last ? *declared_last : static_cast<std::uint32_t>(chunk.Body.size()), 4);
        file.insert(file.end(), chunk.Body.begin(), chunk.Body.end());
        if (chunk.Body.size() % 2 != 0)
            file.push_back(0);
    }
    return file;
}

const std::vector<std::uint8_t> Eight_Bytes{1, 2, 3, 4, 5, 6, 7, 8};

struct TCase {
    const char* Name;
    std::vector<std::uint8_t> File;
    std::optional<std::size_t> Expected_Samples_Bytes;  // none: left to the decoder
};

TEST(Plain_Pcm_Wav_Test, TakesOnlyCleanPcmInTheWantedFormat)
{
    const auto fmt = Format(1, 1, 22050, 16);
    const TCase cases[] = {
        {"clean", Riff({{"fmt ", fmt}, {"data", Eight_Bytes}}), 8},
        {"odd chunk before data is padded", Riff({{"fmt ", fmt}, {"LIST", {1, 2, 3}}, {"data", Eight_Bytes}}), 8},
        {"odd byte at the end is dropped", Riff({{"fmt ", fmt}, {"data", {1, 2, 3, 4, 5}}}), 4},
        {"other rate", Riff({{"fmt ", Format(1, 1, 44100, 16)}, {"data", Eight_Bytes}}), std::nullopt},
        {"other channel count", Riff({{"fmt ", Format(1, 2, 22050, 16)}, {"data", Eight_Bytes}}), std::nullopt},
        {"8-bit", Riff({{"fmt ", Format(1, 1, 22050, 8)}, {"data", Eight_Bytes}}), std::nullopt},
        {"float", Riff({{"fmt ", Format(3, 1, 22050, 16)}, {"data", Eight_Bytes}}), std::nullopt},
        {"extensible", Riff({{"fmt ", Format(0xFFFE, 1, 22050, 16)}, {"data", Eight_Bytes}}), std::nullopt},
        {"data before format", Riff({{"data", Eight_Bytes}, {"fmt ", fmt}}), std::nullopt},
        {"two formats", Riff({{"fmt ", fmt}, {"fmt ", fmt}, {"data", Eight_Bytes}}), std::nullopt},
        {"short format", Riff({{"fmt ", std::vector<std::uint8_t>(fmt.begin(), fmt.begin() + 14)}, {"data", Eight_Bytes}}),
         std::nullopt},
        {"truncated data", Riff({{"fmt ", fmt}, {"data", Eight_Bytes}}, 4000), std::nullopt},
        {"size field near the top of its range", Riff({{"fmt ", fmt}, {"data", Eight_Bytes}}, 0xFFFFFFFFu), std::nullopt},
        {"empty data", Riff({{"fmt ", fmt}, {"data", {}}}), std::nullopt},
        {"no data", Riff({{"fmt ", fmt}}), std::nullopt},
        {"not RIFF", {'R', 'I', 'F', 'X', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}, std::nullopt},
        {"header only", {'R', 'I', 'F', 'F', 0, 0}, std::nullopt},
    };
    for (const TCase& test : cases) {
        const auto samples = Plain_Pcm_Samples(test.File, 22050, 1);
        ASSERT_EQ(samples.has_value(), test.Expected_Samples_Bytes.has_value()) << test.Name;
        if (samples) {
            EXPECT_EQ(samples->size(), *test.Expected_Samples_Bytes) << test.Name;
            EXPECT_EQ(std::memcmp(samples->data(), Eight_Bytes.data(), samples->size()), 0) << test.Name;
        }
    }
}

// What is read in place must be what SDL's decoder would have given.
TEST(Plain_Pcm_Wav_Test, DecodesFilesInTheWantedFormatAsSdlDoes)
{
    const TTemp_Dir dir;
    struct TFormat_Case {
        int Rate;
        int Channels;
    };
    for (const TFormat_Case format : {TFormat_Case{22050, 1}, TFormat_Case{44100, 2}}) {
        const std::string path = Write_Tone_File(dir, "TONE.WAV", 440, 0.25, format.Rate, format.Channels);
        std::vector<std::int16_t> read_in_place;
        std::string reason;
        ASSERT_TRUE(Decode_Wav(path, format.Rate, format.Channels, read_in_place, reason)) << reason;

        const TSdl_Use sdl;
        SDL_AudioSpec spec{};
        Uint8* buffer = nullptr;
        Uint32 length = 0;
        ASSERT_NE(sdl->LoadWAV_RW(sdl->RWFromFile(path.c_str(), "rb"), 1, &spec, &buffer, &length), nullptr);
        const std::vector<std::int16_t> by_sdl(reinterpret_cast<const std::int16_t*>(buffer),
                                               reinterpret_cast<const std::int16_t*>(buffer + length));
        sdl->FreeWAV(buffer);
        EXPECT_EQ(read_in_place, by_sdl) << format.Rate << " Hz, " << format.Channels << " channels";
    }
}

}  // namespace
