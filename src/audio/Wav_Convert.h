#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

// Takes each converted piece; `total` is the count of samples all pieces
// will make, so a collector can reserve them at once.
using TPiece_Taker = std::function<void(std::span<const std::int16_t> piece, std::size_t total)>;

// Why a file could not be decoded, in the system's or the decoder's words.
struct TDecode_Failure {
    std::string Reason;
    // The file could not be read at all, as opposed to read and not understood.
    bool Unreadable = false;
};

// A file's own sample format, as the voice check reports it.
struct TWav_Source {
    int Bits = 0;
    bool Float = false;
    int Frequency = 0;
    int Channels = 0;
};

// The highest sample rate recorders write; a header claiming more is refused.
constexpr int Max_Source_Frequency = 768000;

// Decodes the WAV file at `path` (its name as spelled on disk) with the
// system's decoder, into signed 16-bit samples, interleaved, at `frequency`
// and `channels` (0 keeps the file's own), a piece at a time, so a long file
// costs little more than itself. `source`, when given, receives the file's
// own format before the first piece. Returns the count of samples given;
// throws TDecode_Failure.
std::size_t Convert_Wav(const std::string& path, int frequency, int channels, const TPiece_Taker& take,
                        TWav_Source* source = nullptr);

// Keeps the system's decoder loaded while it lives, so a run that decodes
// many files loads it once rather than for every file. Throws
// EMCIDeviceError when the decoder cannot be loaded.
class TDecoder_Hold {
public:
    TDecoder_Hold();

private:
    std::shared_ptr<const void> decoder_;
};
