#include <windows.h>

#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "audio/Wav_Convert.h"
#include "support/Temp_Dir.h"

namespace Wav_Convert_Acm_Cases {

void Put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFFu);
}

std::string Chunk(const char* id, const std::string& body)
{
    std::string chunk = id;
    Put(chunk, static_cast<std::uint32_t>(body.size()), 4);
    return chunk + body + (body.size() % 2 != 0 ? std::string(1, '\0') : "");
}

std::string Format(int tag, int channels, int rate, int bits, int block = -1, const std::string& extra = "")
{
    if (block < 0)
        block = channels * bits / 8;
    std::string body;
    Put(body, static_cast<std::uint32_t>(tag), 2);
    Put(body, static_cast<std::uint32_t>(channels), 2);
    Put(body, static_cast<std::uint32_t>(rate), 4);
    Put(body, static_cast<std::uint32_t>(rate * block), 4);
    Put(body, static_cast<std::uint32_t>(block), 2);
    Put(body, static_cast<std::uint32_t>(bits), 2);
    if (!extra.empty()) {
        Put(body, static_cast<std::uint32_t>(extra.size()), 2);
        body += extra;
    }
    return Chunk("fmt ", body);
}

std::string Riff(const std::string& chunks)
{
    std::string file = "RIFF";
    Put(file, static_cast<std::uint32_t>(4 + chunks.size()), 4);
    return file + "WAVE" + chunks;
}

template <typename T>
std::string Samples(std::initializer_list<T> values)
{
    std::string bytes(values.size() * sizeof(T), '\0');
    std::memcpy(bytes.data(), std::data(values), bytes.size());
    return bytes;
}

std::string Bytes_24(std::initializer_list<std::uint32_t> values)
{
    std::string bytes;
    for (const std::uint32_t value : values)
        Put(bytes, value, 3);
    return bytes;
}

// WAVEFORMATEXTENSIBLE's extra bytes naming PCM.
std::string Extensible_Pcm(int bits)
{
    std::string extra;
    Put(extra, static_cast<std::uint32_t>(bits), 2);
    Put(extra, 4, 4);  // front centre
    Put(extra, 1, 4);
    extra += std::string("\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 12);
    return extra;
}

struct TResult {
    std::vector<std::int16_t> Samples;
    std::vector<std::size_t> Totals;
    std::size_t Returned = 0;
};

TResult Convert(const std::string& path, int frequency = 22050, int channels = 1)
{
    TResult result;
    result.Returned = Convert_Wav(path, frequency, channels, [&](std::span<const std::int16_t> piece, std::size_t total) {
        result.Samples.insert(result.Samples.end(), piece.begin(), piece.end());
        result.Totals.push_back(total);
    });
    return result;
}

// Files whose samples need no resampling, so the result is exact.
TEST(Wav_Convert_Acm, Formats_Are_Converted_To_Signed_16_Bit)
{
    const std::string mono_16 = Format(1, 1, 22050, 16);
    const struct {
        const char* Label;
        std::string File;
        int Channels;
        std::vector<std::int16_t> Expected;
    } cases[] = {
        {"8-bit is unsigned", Riff(Format(1, 1, 22050, 8) + Chunk("data", std::string("\x80\xFF\x00\x81", 4))), 1,
         {0, 32512, -32768, 256}},
        {"stereo is averaged, not added", Riff(Format(1, 2, 22050, 16) + Chunk("data", Samples<std::int16_t>({1000, 3000, -32768, -32768, 32767, -32768}))), 1,
         {2000, -32768, 0}},
        {"mono goes to both channels", Riff(mono_16 + Chunk("data", Samples<std::int16_t>({5, -7}))), 2, {5, 5, -7, -7}},
        {"float is scaled by 32767 and clamped", Riff(Format(3, 1, 22050, 32) + Chunk("data", Samples<float>({0.5f, -0.25f, 1.5f, -1.5f, 0.0f}))), 1,
         {16383, -8191, 32767, -32768, 0}},
        {"64-bit float", Riff(Format(3, 1, 22050, 64) + Chunk("data", Samples<double>({0.5, -1.0}))), 1, {16383, -32768}},
        {"24-bit keeps the top bits", Riff(Format(1, 1, 22050, 24) + Chunk("data", Bytes_24({0x123456, 0x800000, 0x7FFFFF}))), 1,
         {0x1234, -32768, 32767}},
        {"32-bit keeps the top bits", Riff(Format(1, 1, 22050, 32) + Chunk("data", Samples<std::int32_t>({0x12345678, -65536}))), 1,
         {0x1234, -1}},
        {"extensible PCM", Riff(Format(0xFFFE, 1, 22050, 16, -1, Extensible_Pcm(16)) + Chunk("data", Samples<std::int16_t>({9, -9}))), 1,
         {9, -9}},
        {"data before the format, odd chunk padded",
         Riff(Chunk("LIST", "odd") + Chunk("data", Samples<std::int16_t>({1, 2, 3})) + mono_16), 1, {1, 2, 3}},
        {"a data size beyond the file's end reads what is there",
         Riff(mono_16 + "data" + std::string("\xFF\xFF\xFF\x7F", 4) + Samples<std::int16_t>({4, 5})), 1, {4, 5}},
        {"a part of a frame at the end is left out", Riff(Format(1, 2, 22050, 16) + Chunk("data", Samples<std::int16_t>({2, 4, 6}))), 1,
         {3}},
    };
    TTemp_Dir dir;
    for (const auto& c : cases) {
        const TResult result = Convert(dir.Write("in.wav", c.File), 22050, c.Channels);
        EXPECT_EQ(result.Samples, c.Expected) << c.Label;
        EXPECT_EQ(result.Returned, c.Expected.size()) << c.Label;
        for (const std::size_t total : result.Totals)
            EXPECT_EQ(total, c.Expected.size()) << c.Label;
    }
}

TEST(Wav_Convert_Acm, Unusable_Files_Are_Refused_With_A_Reason)
{
    const std::string data = Chunk("data", Samples<std::int16_t>({1, 2}));
    const struct {
        const char* Label;
        std::string File;
        const char* Reason;
    } cases[] = {
        {"empty", "", "too short"},
        {"not RIFF", std::string("RIFX\x04\0\0\0WAVE", 12), "not a RIFF WAVE"},
        {"no format chunk", Riff(data), "no format chunk"},
        {"format chunk cut short", Riff(Chunk("fmt ", "\x01\0\x01\0") + data), "not usable"},
        {"no data chunk", Riff(Format(1, 1, 22050, 16)), "holds no sound"},
        {"empty data chunk", Riff(Format(1, 1, 22050, 16) + Chunk("data", "")), "holds no sound"},
        {"a sample rate above 768 kHz", Riff(Format(1, 1, 768001, 16) + data), "not usable"},
        {"no sample rate", Riff(Format(1, 1, 0, 16) + data), "not usable"},
        {"no channels", Riff(Format(1, 0, 22050, 16, 2) + data), "not usable"},
        {"no block size", Riff(Format(1, 1, 22050, 16, 0) + data), "not usable"},
        {"12-bit samples", Riff(Format(1, 1, 22050, 12, 2) + data), "not usable"},
        {"a block size that is not the samples'", Riff(Format(1, 2, 22050, 16, 2) + data), "not usable"},
        {"a codec nobody installed", Riff(Format(0x7A21, 1, 22050, 4, 64) + data), "no installed codec"},
    };
    TTemp_Dir dir;
    for (const auto& c : cases) {
        try {
            Convert(dir.Write("in.wav", c.File));
            ADD_FAILURE() << c.Label << ": accepted";
        } catch (const TDecode_Failure& failure) {
            EXPECT_NE(failure.Reason.find(c.Reason), std::string::npos) << c.Label << ": " << failure.Reason;
        }
    }
    for (const std::string& path : {dir.Dir() + "missing.wav", dir.Path().string()})
        EXPECT_THROW(Convert(path), TDecode_Failure) << path;
}

// A long recording goes through in pieces, each announcing the same total.
TEST(Wav_Convert_Acm, A_Long_File_Streams_Through_In_Pieces)
{
    std::string samples(2 * 44100 * 3, '\0');
    for (std::size_t i = 0; i < samples.size() / 2; ++i)
        samples[2 * i + 1] = static_cast<char>(i % 64);
    TTemp_Dir dir;
    const TResult result = Convert(dir.Write("long.wav", Riff(Format(1, 1, 44100, 16) + Chunk("data", samples))));
    EXPECT_GT(result.Totals.size(), 4u);
    EXPECT_EQ(result.Samples.size(), result.Returned);
    EXPECT_EQ(result.Totals.front(), 22050u * 3);
    EXPECT_NEAR(static_cast<double>(result.Returned), 22050.0 * 3, 64);
    for (const std::size_t total : result.Totals)
        EXPECT_EQ(total, result.Totals.front());
}

// The caller's text is UTF-8, whatever the system's code page.
TEST(Wav_Convert_Acm, A_Name_With_Accents_Is_Found)
{
    TTemp_Dir dir;
    const std::wstring name = dir.Path().wstring() + L"\\\u00e9t\u00e9.wav";
    const std::string file = Riff(Format(1, 1, 22050, 16) + Chunk("data", Samples<std::int16_t>({7})));
    const HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(handle, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    CloseHandle(handle);
    EXPECT_EQ(Convert(dir.Dir() + "\xc3\xa9t\xc3\xa9.wav").Samples, std::vector<std::int16_t>{7});
}

}  // namespace Wav_Convert_Acm_Cases
