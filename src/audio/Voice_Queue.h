#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

// The one voice of the sound device: sounds play one after the other, in the
// order they were asked for, and each starts on the frame right after the
// previous one ends, in the same device buffer. Words of an announcement then
// join as they do in a rendered file, with no silence between them that the
// recordings do not hold.
//
// The GUI thread adds and removes sounds; the audio thread fills buffers.
// Both take a short lock; the audio thread never waits on anything else.
class TVoice_Queue {
public:
    static constexpr int Voice_Count = 16;

    struct TFinished {
        int Voice = -1;
        std::uint32_t Generation = 0;
    };
    // The sounds that ended in one buffer, in the order they ended.
    struct TFinished_List {
        std::array<TFinished, Voice_Count> Items{};
        std::size_t Count = 0;
    };

    // Plays `sound` (bytes in the device's format, whole frames) after the
    // sounds already waiting. A voice must not be queued twice; the caller
    // answers a second request itself. `generation` comes back when it ends.
    void Enqueue(int voice, std::span<const std::uint8_t> sound, std::uint32_t generation);
    // Playing or waiting.
    bool Contains(int voice) const;
    bool Empty() const;
    // Silences the voice's sound, or forgets its waiting request; nothing is reported.
    void Remove(int voice);
    void Clear();

    // Audio thread: writes all of `buffer`, silence (already in it) after the
    // last sound. Returns the sounds that ended in it, so the caller can
    // report them once the lock is released.
    TFinished_List Fill(std::span<std::uint8_t> buffer);

private:
    struct TEntry {
        int Voice = -1;
        std::span<const std::uint8_t> Sound;
        std::size_t Position = 0;
        std::uint32_t Generation = 0;
    };
    // In play order, the sounding one first. Fixed, so the audio thread never
    // allocates: each voice is in it at most once.
    std::array<TEntry, Voice_Count> entries_{};
    std::size_t count_ = 0;
    mutable std::mutex mutex_;
};
