#include "engine/Prefix_Suffix.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>

#include "system/Files.h"
#include "support/Temp_Dir.h"

namespace fs = std::filesystem;

namespace {

// Hands out scripted draws and records the bound of each request.
class TScripted_Random : public TRandom_Source {
public:
    explicit TScripted_Random(std::deque<int> draws) : draws_(std::move(draws)) {}
    int Random_Below(int n) override
    {
        bounds.push_back(n);
        if (on_draw)
            on_draw();
        if (draws_.empty())
            return 0;
        const int draw = draws_.front();
        draws_.pop_front();
        return draw;
    }
    std::vector<int> bounds;
    std::function<void()> on_draw;

private:
    std::deque<int> draws_;
};

ClockSettings Settings_For(const TTemp_Dir& dir, PrefixSuffixMode mode)
{
    ClockSettings settings = Default_Settings(dir.Dir());
    Select_Prefix_Suffix_Mode(settings, mode);
    return settings;
}

using Selection = std::pair<std::string, std::string>;

} // namespace

TEST(Prefix_Suffix_Test, Fixed_Mode_Takes_The_First_Listed_Regular_File)
{
    struct Case {
        std::vector<std::string> files;
        std::vector<std::string> directories;
        Selection expected;
    };
    const std::vector<Case> cases{
        {{"PREFIX0.WAV", "PREFIX1.WAV"}, {}, {"PREFIX0.WAV", ""}},
        {{"PREFIX1.WAV", "PREFIX00.WAV", "PREFIX.WAV", "SUFFIX1.WAV"}, {}, {"PREFIX.WAV", "SUFFIX1.WAV"}},
        {{"prefix.wav", "Suffix00.wav"}, {}, {"PREFIX.WAV", "SUFFIX00.WAV"}},  // the listed spelling fills the slot
        {{"PREFIX00.WAV", "SUFFIX0.WAV"}, {"PREFIX.WAV", "SUFFIX.WAV"}, {"PREFIX00.WAV", "SUFFIX0.WAV"}},
        {{"PREFIX0.WAV", "PREFIX00.WAV", "SUFFIX0.WAV", "SUFFIX00.WAV"}, {}, {"PREFIX00.WAV", "SUFFIX00.WAV"}},
        {{"PREFIX2.WAV", "PREFIX_A.WAV", "SUFFIX.WAV.bak"}, {"SUFFIX.WAV"}, {"", ""}},
        {{}, {}, {"", ""}},
    };
    for (const auto& c : cases) {
        TTemp_Dir dir;
        for (const auto& name : c.files)
            dir.Write(name);
        for (const auto& name : c.directories)
            fs::create_directory(dir.Path() / name);
        TScripted_Random random({});
        EXPECT_EQ(Select_Prefix_And_Suffix(Settings_For(dir, PrefixSuffixMode::Fixed), random), c.expected)
            << ::testing::PrintToString(c.files);
        EXPECT_TRUE(random.bounds.empty());
    }
}

TEST(Prefix_Suffix_Test, Every_Mode_Is_Empty_Where_Nothing_Can_Be_Found)
{
    TTemp_Dir full;
    for (const char* name : {"PREFIX.WAV", "PREFIX1.WAV", "SUFFIX.WAV"})
        full.Write(name);
    TTemp_Dir empty;
    TTemp_Dir gone;
    ClockSettings missing = Default_Settings(gone.Dir() + "missing/");

    for (auto mode : {PrefixSuffixMode::Fixed, PrefixSuffixMode::Random, PrefixSuffixMode::RandomWithBlank,
                      PrefixSuffixMode::None}) {
        Select_Prefix_Suffix_Mode(missing, mode);
        TSeeded_Random random(7);
        for (int i = 0; i < 20; ++i) {
            EXPECT_EQ(Select_Prefix_And_Suffix(missing, random), Selection{});
            EXPECT_EQ(Select_Prefix_And_Suffix(Settings_For(empty, mode), random), Selection{});
        }
    }
    TSeeded_Random random(7);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(Select_Prefix_And_Suffix(Settings_For(full, PrefixSuffixMode::None), random), Selection{});
}

TEST(Prefix_Suffix_Test, Random_Mode_Takes_The_Drawn_Entry_In_Listing_Order)
{
    TTemp_Dir dir;
    for (const char* name : {"PREFIX.WAV", "prefix_b.wav", "Prefix00.Wav", "OTHER.WAV", "SUFFIX9.WAV"})
        dir.Write(name);
    const auto listing = Find_Matching_Entries(dir.Dir() + "PREFIX*.WAV");
    ASSERT_EQ(listing.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        TScripted_Random random({k, 0});
        EXPECT_EQ(Select_Prefix_And_Suffix(Settings_For(dir, PrefixSuffixMode::Random), random),
                  (Selection{listing[static_cast<std::size_t>(k)], "SUFFIX9.WAV"}));
        EXPECT_EQ(random.bounds, (std::vector<int>{3, 1}));  // prefix drawn first
    }
}

TEST(Prefix_Suffix_Test, Random_Mode_With_One_Match_Always_Takes_It)
{
    TTemp_Dir dir;
    dir.Write("PREFIX.WAV");
    TSeeded_Random random(1);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(Select_Prefix_And_Suffix(Settings_For(dir, PrefixSuffixMode::Random), random),
                  (Selection{"PREFIX.WAV", ""}));
}

TEST(Prefix_Suffix_Test, Random_Modes_Count_A_Directory_That_Fixed_Mode_Skips)
{
    TTemp_Dir dir;
    fs::create_directory(dir.Path() / "PREFIX.WAV");
    EXPECT_EQ(Count_Matching_Files(dir.Dir() + "PREFIX*.WAV"), 1);
    TScripted_Random random({0});
    EXPECT_EQ(Select_Prefix_And_Suffix(Settings_For(dir, PrefixSuffixMode::Random), random).first, "PREFIX.WAV");
    EXPECT_EQ(Select_Prefix_And_Suffix(Settings_For(dir, PrefixSuffixMode::Fixed), random).first, "");
}

TEST(Prefix_Suffix_Test, Random_With_Blank_Leaves_Out_Only_The_Last_Of_N_Plus_2_Draws)
{
    TTemp_Dir dir;
    dir.Write("PREFIX.WAV");
    dir.Write("SUFFIX1.WAV");
    dir.Write("SUFFIX2.WAV");
    struct Case {
        std::deque<int> draws;
        std::vector<int> bounds;
        bool prefix;
        bool suffix;
    };
    const std::vector<Case> cases{
        {{0, 0, 0, 1}, {3, 1, 4, 2}, true, true},
        {{1, 0, 2, 0}, {3, 1, 4, 2}, true, true},
        {{2, 3}, {3, 4}, false, false},
        {{2, 1, 1}, {3, 4, 2}, false, true},
    };
    for (const auto& c : cases) {
        TScripted_Random random(c.draws);
        const auto [prefix, suffix] =
            Select_Prefix_And_Suffix(Settings_For(dir, PrefixSuffixMode::RandomWithBlank), random);
        EXPECT_EQ(prefix.empty(), !c.prefix) << prefix;
        EXPECT_EQ(suffix.empty(), !c.suffix) << suffix;
        EXPECT_EQ(random.bounds, c.bounds);
    }
}

TEST(Prefix_Suffix_Test, Random_With_Blank_Has_The_Documented_Odds)
{
    constexpr int rounds = 8000;
    struct Case {
        std::vector<std::string> files;
        double each_file;
        double blank;
    };
    const std::vector<Case> cases{
        {{"PREFIX.WAV"}, 2.0 / 3, 1.0 / 3},
        {{"PREFIX.WAV", "PREFIX1.WAV", "PREFIXZ.WAV"}, 4.0 / 15, 1.0 / 5},
    };
    for (const auto& c : cases) {
        TTemp_Dir dir;
        for (const auto& name : c.files)
            dir.Write(name);
        const auto settings = Settings_For(dir, PrefixSuffixMode::RandomWithBlank);
        TSeeded_Random random(20240501);
        std::map<std::string, int> seen;
        for (int i = 0; i < rounds; ++i)
            ++seen[Select_Prefix_And_Suffix(settings, random).first];
        EXPECT_NEAR(seen[""] / double(rounds), c.blank, 0.02);
        for (const auto& name : c.files)
            EXPECT_NEAR(seen[name] / double(rounds), c.each_file, 0.02) << name;
        EXPECT_EQ(seen.size(), c.files.size() + 1);
    }
}

TEST(Prefix_Suffix_Test, Pick_Survives_Entries_Vanishing_Between_Count_And_Listing)
{
    TTemp_Dir dir;
    for (const char* name : {"PREFIX1.WAV", "PREFIX2.WAV", "PREFIX3.WAV"})
        dir.Write(name);
    const std::string mask = dir.Dir() + "PREFIX*.WAV";

    TScripted_Random random({2});
    random.on_draw = [&] {
        fs::remove(dir.Path() / "PREFIX1.WAV");
        fs::remove(dir.Path() / "PREFIX3.WAV");
    };
    EXPECT_EQ(Pick_Random_File(mask, random), "PREFIX2.WAV");

    TScripted_Random emptied({0});
    emptied.on_draw = [&] { fs::remove(dir.Path() / "PREFIX2.WAV"); };
    EXPECT_EQ(Pick_Random_File(mask, emptied), "");
}
