#include "audio/Voice_Queue.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

void TVoice_Queue::Enqueue(int voice, std::span<const std::uint8_t> sound, std::uint32_t generation)
{
    const std::lock_guard lock(mutex_);
    if (count_ == entries_.size())
        throw std::logic_error("more sounds queued than there are voices");
    entries_[count_++] = {voice, sound, 0, generation};
}

bool TVoice_Queue::Contains(int voice) const
{
    const std::lock_guard lock(mutex_);
    return std::any_of(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(count_),
                       [voice](const TEntry& entry) { return entry.Voice == voice; });
}

bool TVoice_Queue::Empty() const
{
    const std::lock_guard lock(mutex_);
    return count_ == 0;
}

void TVoice_Queue::Remove(int voice)
{
    const std::lock_guard lock(mutex_);
    const auto end = entries_.begin() + static_cast<std::ptrdiff_t>(count_);
    const auto kept_end =
        std::remove_if(entries_.begin(), end, [voice](const TEntry& entry) { return entry.Voice == voice; });
    count_ = static_cast<std::size_t>(kept_end - entries_.begin());
}

void TVoice_Queue::Clear()
{
    const std::lock_guard lock(mutex_);
    count_ = 0;
}

TVoice_Queue::TFinished_List TVoice_Queue::Fill(std::span<std::uint8_t> buffer)
{
    TFinished_List finished;
    const std::lock_guard lock(mutex_);
    std::size_t written = 0;
    std::size_t done = 0;
    while (done < count_ && written < buffer.size()) {
        TEntry& entry = entries_[done];
        const std::size_t take = std::min(entry.Sound.size() - entry.Position, buffer.size() - written);
        if (take > 0)
            std::memcpy(buffer.data() + written, entry.Sound.data() + entry.Position, take);
        written += take;
        entry.Position += take;
        if (entry.Position < entry.Sound.size())
            break;
        finished.Items[finished.Count++] = {entry.Voice, entry.Generation};
        ++done;
    }
    std::move(entries_.begin() + static_cast<std::ptrdiff_t>(done),
              entries_.begin() + static_cast<std::ptrdiff_t>(count_), entries_.begin());
    count_ -= done;
    return finished;
}
