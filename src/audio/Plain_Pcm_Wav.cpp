#include "audio/Plain_Pcm_Wav.h"

#include <bit>
#include <cstring>

namespace {

std::uint32_t Read_Le(std::span<const std::uint8_t> bytes, std::size_t at, int size)
{
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

bool Is(std::span<const std::uint8_t> bytes, std::size_t at, const char (&id)[5])
{
    return std::memcmp(bytes.data() + at, id, 4) == 0;
}

constexpr std::uint16_t Pcm_Tag = 1;

}  // namespace

std::optional<std::span<const std::uint8_t>> Plain_Pcm_Samples(std::span<const std::uint8_t> file, int frequency,
                                                               int channels)
{
    // The samples are used in place, as the machine's own 16-bit numbers.
    if constexpr (std::endian::native != std::endian::little)
        return std::nullopt;
    if (file.size() < 12 || !Is(file, 0, "RIFF") || !Is(file, 8, "WAVE") || frequency <= 0 || channels <= 0)
        return std::nullopt;
    const auto frame_bytes = static_cast<std::uint32_t>(2 * channels);
    bool format_seen = false;
    for (std::size_t at = 12; file.size() - at >= 8;) {
        const std::uint32_t size = Read_Le(file, at + 4, 4);
        const std::size_t body = at + 8;
        if (size > file.size() - body)
            return std::nullopt;
        if (Is(file, at, "fmt ")) {
            if (format_seen || size < 16 || Read_Le(file, body, 2) != Pcm_Tag ||
                Read_Le(file, body + 2, 2) != static_cast<std::uint32_t>(channels) ||
                Read_Le(file, body + 4, 4) != static_cast<std::uint32_t>(frequency) ||
                Read_Le(file, body + 8, 4) != static_cast<std::uint32_t>(frequency) * frame_bytes ||
                Read_Le(file, body + 12, 2) != frame_bytes || Read_Le(file, body + 14, 2) != 16)
                return std::nullopt;
            format_seen = true;
        } else if (Is(file, at, "data")) {
            const std::uint32_t whole = size - size % frame_bytes;
            if (!format_seen || whole == 0)
                return std::nullopt;
            return file.subspan(body, whole);
        }
        // Chunks are padded to an even length.
        at = body + size + (size & 1u);
        if (at > file.size())
            return std::nullopt;
    }
    return std::nullopt;
}
