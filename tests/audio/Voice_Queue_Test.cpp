#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "audio/Voice_Queue.h"

namespace {

// Sounds of distinct non-zero bytes, so every byte of the output tells which
// sound and which place in it was played.
std::vector<std::uint8_t> Sound(std::uint8_t mark, std::size_t length)
{
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<std::uint8_t>(mark + i % 7);
    return bytes;
}

struct TBuffers {
    std::vector<std::uint8_t> Output;
    // For each sound that ended: the buffer it ended in.
    std::vector<std::pair<int, std::size_t>> Ended_In;
};

TBuffers Play(TVoice_Queue& queue, std::size_t buffer_size, std::size_t buffers)
{
    TBuffers result;
    for (std::size_t b = 0; b < buffers; ++b) {
        std::vector<std::uint8_t> buffer(buffer_size, 0);
        const auto finished = queue.Fill(buffer);
        for (std::size_t i = 0; i < finished.Count; ++i)
            result.Ended_In.emplace_back(finished.Items[i].Voice, b);
        result.Output.insert(result.Output.end(), buffer.begin(), buffer.end());
    }
    return result;
}

struct TJoin_Case {
    const char* Label;
    std::vector<std::size_t> Lengths;
    std::size_t Buffer_Size;
};

// The words of an announcement come out as one stream, each ending where the
// next begins, whether they end mid-buffer, on a buffer's edge, or are
// shorter than a buffer.
TEST(Voice_Queue_Test, SoundsJoinWithoutASingleSilentFrame)
{
    const TJoin_Case cases[] = {
        {"ends mid-buffer", {1000, 700}, 256},
        {"ends on the buffer's edge", {512, 300}, 256},
        {"several within one buffer", {40, 12, 100, 4}, 256},
        {"longer than many buffers", {5000, 3000, 20}, 100},
    };
    for (const auto& c : cases) {
        TVoice_Queue queue;
        std::vector<std::vector<std::uint8_t>> sounds;
        std::vector<std::uint8_t> expected;
        for (std::size_t i = 0; i < c.Lengths.size(); ++i) {
            sounds.push_back(Sound(static_cast<std::uint8_t>(1 + 30 * i), c.Lengths[i]));
            expected.insert(expected.end(), sounds.back().begin(), sounds.back().end());
        }
        for (std::size_t i = 0; i < sounds.size(); ++i)
            queue.Enqueue(static_cast<int>(i), sounds[i], static_cast<std::uint32_t>(100 + i));

        const std::size_t total = expected.size();
        const TBuffers played = Play(queue, c.Buffer_Size, total / c.Buffer_Size + 2);
        expected.resize(played.Output.size(), 0);
        EXPECT_EQ(played.Output, expected) << c.Label;
        EXPECT_TRUE(queue.Empty()) << c.Label;

        // Each end is reported in the buffer in which the sound ended, in order.
        ASSERT_EQ(played.Ended_In.size(), sounds.size()) << c.Label;
        std::size_t end = 0;
        for (std::size_t i = 0; i < sounds.size(); ++i) {
            end += c.Lengths[i];
            EXPECT_EQ(played.Ended_In[i].first, static_cast<int>(i)) << c.Label;
            EXPECT_EQ(played.Ended_In[i].second, (end - 1) / c.Buffer_Size) << c.Label << ", sound " << i;
        }
    }
}

TEST(Voice_Queue_Test, EndReportCarriesTheGenerationOfTheRequest)
{
    TVoice_Queue queue;
    const auto sound = Sound(1, 10);
    queue.Enqueue(3, sound, 41);
    std::vector<std::uint8_t> buffer(64, 0);
    const auto finished = queue.Fill(buffer);
    ASSERT_EQ(finished.Count, 1u);
    EXPECT_EQ(finished.Items[0].Voice, 3);
    EXPECT_EQ(finished.Items[0].Generation, 41u);
}

// Closing a slot silences it at once and reports nothing; the sound after it
// moves up and starts in the next buffer.
TEST(Voice_Queue_Test, RemovedSoundIsSilentAndTheNextMovesUp)
{
    struct TCase {
        const char* Label;
        int Removed;
        std::vector<int> Heard_After;
    };
    const TCase cases[] = {
        {"the sounding one", 0, {1, 2}},
        {"a waiting one", 1, {0, 2}},
        {"the last one", 2, {0, 1}},
    };
    for (const auto& c : cases) {
        TVoice_Queue queue;
        const std::vector<std::vector<std::uint8_t>> sounds{Sound(10, 300), Sound(50, 40), Sound(90, 30)};
        for (int i = 0; i < 3; ++i)
            queue.Enqueue(i, sounds[static_cast<std::size_t>(i)], 1);
        std::vector<std::uint8_t> first_buffer(100, 0);
        EXPECT_EQ(queue.Fill(first_buffer).Count, 0u) << c.Label;
        queue.Remove(c.Removed);
        EXPECT_FALSE(queue.Contains(c.Removed)) << c.Label;

        const TBuffers played = Play(queue, 1000, 1);
        std::vector<int> heard;
        for (const auto& [voice, buffer] : played.Ended_In)
            heard.push_back(voice);
        EXPECT_EQ(heard, c.Heard_After) << c.Label;
        // The removed sound, the first one, was partly heard; the rest of it is not.
        const std::size_t rest_of_first = c.Removed == 0 ? 0 : 200;
        EXPECT_EQ(played.Output[0], c.Removed == 0 ? 50 : sounds[0][100]) << c.Label;
        EXPECT_EQ(played.Output[rest_of_first], c.Removed == 1 ? 90 : 50) << c.Label;
    }
}

TEST(Voice_Queue_Test, EmptyQueueLeavesTheBufferSilent)
{
    TVoice_Queue queue;
    std::vector<std::uint8_t> buffer(32, 0);
    EXPECT_EQ(queue.Fill(buffer).Count, 0u);
    EXPECT_EQ(std::accumulate(buffer.begin(), buffer.end(), 0), 0);
    const auto sound = Sound(1, 10);
    queue.Enqueue(1, sound, 1);
    queue.Clear();
    EXPECT_FALSE(queue.Contains(1));
    EXPECT_EQ(queue.Fill(buffer).Count, 0u);
}

}  // namespace
