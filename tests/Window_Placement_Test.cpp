#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "clock/Window_Placement.h"
#include "support/Test_Name.h"

void PrintTo(const TRect& rect, std::ostream* out)
{
    *out << "(" << rect.left << ", " << rect.top << ", " << rect.width << " x " << rect.height << ")";
}

namespace {

struct Placement_Case {
    const char* name;
    TRect frame;
    std::vector<TRect> screens;
    TRect expected;
};

class Window_Placement_Test : public testing::TestWithParam<Placement_Case> {};

TEST_P(Window_Placement_Test, Keeps_The_Window_Within_Reach)
{
    const auto& c = GetParam();
    EXPECT_EQ(Fit_Onto_Screens(c.frame, c.screens), c.expected) << c.name;
}

const TRect full_hd{0, 0, 1920, 1050};
const TRect right_monitor{1920, 0, 1280, 1024};

INSTANTIATE_TEST_SUITE_P(
    Cases, Window_Placement_Test,
    testing::Values(
        Placement_Case{"on the screen", TRect{200, 200, 235, 67}, {full_hd}, TRect{200, 200, 235, 67}},
        Placement_Case{"half off the right edge, still grabbable", TRect{1800, 500, 235, 67}, {full_hd},
                       TRect{1800, 500, 235, 67}},
        Placement_Case{"on the second monitor", TRect{2500, 300, 235, 67}, {full_hd, right_monitor},
                       TRect{2500, 300, 235, 67}},
        Placement_Case{"monitor unplugged", TRect{2500, 300, 235, 67}, {full_hd}, TRect{1685, 300, 235, 67}},
        Placement_Case{"far above and left", TRect{-5000, -9000, 235, 67}, {full_hd}, TRect{0, 0, 235, 67}},
        Placement_Case{"only a sliver shows", TRect{1900, 1040, 235, 67}, {full_hd}, TRect{1685, 983, 235, 67}},
        Placement_Case{"larger than the screen", TRect{0, 0, 4000, 3000}, {full_hd}, TRect{0, 0, 1920, 1050}},
        Placement_Case{"no screen known", TRect{-5000, 0, 235, 67}, {}, TRect{-5000, 0, 235, 67}}),
    [](const testing::TestParamInfo<Placement_Case>& placement) { return Test_Name(placement.param.name); });

TEST(Loaded_Frame, Numbers_No_Screen_Could_Hold_Are_Brought_Into_Range)
{
    EXPECT_EQ(Loaded_Frame(200, 200, 235, 67), (TRect{200, 200, 235, 67}));
    const TRect extreme = Loaded_Frame(INT_MIN, INT_MAX, INT_MAX, INT_MIN);
    EXPECT_EQ(extreme, (TRect{-1'000'000, 1'000'000, 100'000, 1}));
    EXPECT_EQ(Fit_Onto_Screens(extreme, {full_hd}), (TRect{0, 1049, 1920, 1}));
}

}  // namespace
