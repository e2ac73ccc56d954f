#include <gtest/gtest.h>

#include <climits>

#include "qt/Window_Placement.h"
#include "support/Test_Name.h"

namespace {

struct Placement_Case {
    const char* name;
    QRect frame;
    QList<QRect> screens;
    QRect expected;
};

class Window_Placement_Test : public testing::TestWithParam<Placement_Case> {};

TEST_P(Window_Placement_Test, Keeps_The_Window_Within_Reach)
{
    const auto& c = GetParam();
    EXPECT_EQ(Fit_Onto_Screens(c.frame, c.screens), c.expected) << c.name;
}

const QRect full_hd(0, 0, 1920, 1050);
const QRect right_monitor(1920, 0, 1280, 1024);

INSTANTIATE_TEST_SUITE_P(
    Cases, Window_Placement_Test,
    testing::Values(
        Placement_Case{"on the screen", QRect(200, 200, 235, 67), {full_hd}, QRect(200, 200, 235, 67)},
        Placement_Case{"half off the right edge, still grabbable", QRect(1800, 500, 235, 67), {full_hd},
                       QRect(1800, 500, 235, 67)},
        Placement_Case{"on the second monitor", QRect(2500, 300, 235, 67), {full_hd, right_monitor},
                       QRect(2500, 300, 235, 67)},
        Placement_Case{"monitor unplugged", QRect(2500, 300, 235, 67), {full_hd}, QRect(1685, 300, 235, 67)},
        Placement_Case{"far above and left", QRect(-5000, -9000, 235, 67), {full_hd}, QRect(0, 0, 235, 67)},
        Placement_Case{"only a sliver shows", QRect(1900, 1040, 235, 67), {full_hd}, QRect(1685, 983, 235, 67)},
        Placement_Case{"larger than the screen", QRect(0, 0, 4000, 3000), {full_hd}, QRect(0, 0, 1920, 1050)},
        Placement_Case{"no screen known", QRect(-5000, 0, 235, 67), {}, QRect(-5000, 0, 235, 67)}),
    [](const testing::TestParamInfo<Placement_Case>& placement) { return Test_Name(placement.param.name); });

TEST(Loaded_Frame, Numbers_No_Screen_Could_Hold_Are_Brought_Into_Range)
{
    EXPECT_EQ(Loaded_Frame(200, 200, 235, 67), QRect(200, 200, 235, 67));
    const QRect extreme = Loaded_Frame(INT_MIN, INT_MAX, INT_MAX, INT_MIN);
    EXPECT_EQ(extreme, QRect(-1'000'000, 1'000'000, 100'000, 1));
    EXPECT_EQ(Fit_Onto_Screens(extreme, {full_hd}), QRect(0, 1049, 1920, 1));
}

}  // namespace
