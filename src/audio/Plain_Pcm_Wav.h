#pragma once
#include <cstdint>
#include <optional>
#include <span>

// The sample bytes of a WAV file that holds plain signed 16-bit PCM in
// exactly the given rate and channel count, whole frames only: such a file
// plays as it is, without loading a decoder. Anything else, a file of
// another format or one that is damaged or unusual in any way, gives
// nothing, and the full decoder takes it with its own checks and messages.
std::optional<std::span<const std::uint8_t>> Plain_Pcm_Samples(std::span<const std::uint8_t> file, int frequency,
                                                               int channels);
