#include "clock/Layout_Scaling.h"

#include <gtest/gtest.h>

namespace {

const Control_Layout Clock_Face{0, 177, 0, 47, 20, "Time_Label"};
const std::string Header = Base_Layout_Header(177, 47);

Control_Layout Scaled(const Control_Layout& base, int client_width, int client_height)
{
    return Scale_Line(Base_Layout_Line(base), Compute_Scale_Ratios(Header, client_width, client_height)).value();
}

TEST(Layout_Scaling, Scales_Position_Size_And_Font_From_The_Record)
{
    EXPECT_EQ(Header, "177 47 W/H Mainform1");
    EXPECT_EQ(Base_Layout_Line({192, 25, 12, 27, 8, "Say_Time_Now_SpeedButton"}), "192 25 12 27 8 Say_Time_Now_SpeedButton");
    const struct {
        int client_width, client_height;
        Control_Layout face;
    } cases[] = {
        {177, 47, Clock_Face},                            // back to the first-show size: exact
        {354, 141, {0, 354, 0, 141, 40, "Time_Label"}},   // font by the smaller ratio
        {88, 47, {0, 88, 0, 47, 9, "Time_Label"}},        // only narrower: font shrinks
        {177, 94, {0, 177, 0, 94, 20, "Time_Label"}},     // only taller: font unchanged
    };
    for (const auto& c : cases)
        EXPECT_EQ(Scaled(Clock_Face, c.client_width, c.client_height), c.face) << c.client_width << "x" << c.client_height;
    EXPECT_EQ(Scaled({192, 25, 12, 27, 8, "B"}, 354, 141), (Control_Layout{384, 50, 36, 81, 16, "B"}));
}

TEST(Layout_Scaling, Truncates_Products_Exactly)
{
    EXPECT_EQ(Scale_Line("0 0 0 0 20 X", Compute_Scale_Ratios("100 100 W/H Mainform1", 199, 300))->font_points, 39);
    // Floating point would leave the face a pixel short at some sizes (97 wide).
    for (int width = 1; width <= 2000; ++width)
        for (int height : {1, 24, 48, 333}) {
            const Control_Layout face = Scaled(Clock_Face, width, height);
            ASSERT_EQ(face.width, width);
            ASSERT_EQ(face.height, height);
        }
}

TEST(Layout_Scaling, Skips_Short_Lines_And_Never_Divides_By_Zero)
{
    const Scale_Ratios ratios = Compute_Scale_Ratios(Header, 300, 300);
    for (const char* line : {"", "0", "7"})
        EXPECT_EQ(Scale_Line(line, ratios), std::nullopt) << line;
    EXPECT_EQ(Scale_Line(Base_Layout_Line(Clock_Face), Compute_Scale_Ratios("0 47 W/H Mainform1", 500, 94)),
              (Control_Layout{0, 177, 0, 94, 20, "Time_Label"}));
    EXPECT_EQ(Scale_Line(Base_Layout_Line(Clock_Face), Compute_Scale_Ratios("", 500, 94)), Clock_Face);
}

}  // namespace
